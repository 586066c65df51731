SELECT dept AS [部门], Count(*) AS [人数], Avg(age) AS [平均年龄], Avg(workage) AS [平均工龄],
       Avg(hereworkage) AS [平均本单位工龄], Min(age) AS [最小年龄], Max(age) AS [最大年龄]
FROM person
WHERE status = 1
GROUP BY dept
ORDER BY dept

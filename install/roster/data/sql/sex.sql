SELECT sex AS [性别], Count(*) AS [人数], Avg(age) AS [平均年龄]
FROM person
WHERE status = 1
GROUP BY sex
ORDER BY sex

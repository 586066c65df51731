SELECT dept AS [部门], Count(*) AS [人数]
FROM person
WHERE status = 1
GROUP BY dept
ORDER BY Count(*) DESC, dept

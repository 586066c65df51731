SELECT technical AS [职称], Count(*) AS [人数]
FROM person
WHERE status = 1
GROUP BY technical
ORDER BY Count(*) DESC, technical

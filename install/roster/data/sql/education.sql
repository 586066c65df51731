SELECT education AS [文化程度], Count(*) AS [人数]
FROM person
WHERE status = 1
GROUP BY education
ORDER BY Count(*) DESC, education

SELECT political AS [政治面貌], Count(*) AS [人数]
FROM person
WHERE status = %param1
GROUP BY political
ORDER BY Count(*) DESC, political

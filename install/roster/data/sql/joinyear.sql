SELECT ID AS [工号], name AS [姓名], sex AS [性别], dept AS [部门], duty AS [职务], date2 AS [入本单位时间]
FROM person
WHERE status = 1 AND Year(date2) = %param1
ORDER BY date2, ID

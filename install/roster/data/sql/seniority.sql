SELECT ID AS [工号], name AS [姓名], dept AS [部门], duty AS [职务], date2 AS [入本单位时间],
       hereworkage AS [本单位工龄]
FROM person
WHERE status = 1 AND date2 <= DateAdd("yyyy", -%param1, Date())
ORDER BY date2, ID

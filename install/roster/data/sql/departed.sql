SELECT ID AS [工号], name AS [姓名], sex AS [性别], dept AS [部门], dept_1 AS [二级部门], duty AS [职务],
       date2 AS [入本单位时间], comments AS [备注]
FROM person
WHERE status = 2
ORDER BY ID

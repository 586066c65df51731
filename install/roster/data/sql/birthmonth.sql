SELECT ID AS [工号], name AS [姓名], sex AS [性别], birth AS [生日], Month(birth) & "月" & Day(birth) & "日" AS [生日日期],
       dept AS [部门], mphone AS [手机]
FROM person
WHERE status = 1 AND Month(birth) = %param1
ORDER BY Day(birth), name

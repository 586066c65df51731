SELECT person.ID AS [工号], person.name AS [姓名], person.dept AS [部门], contracts.contract_no AS [合同编号],
       contracts.name AS [合同名称], contracts.start_date AS [起始日期], contracts.end_date AS [终止日期],
       DateDiff("d", Date(), contracts.end_date) AS [剩余天数]
FROM person INNER JOIN contracts ON person.ID = contracts.person_id
WHERE person.status = 1 AND contracts.end_date >= Date() AND contracts.end_date <= Date() + %param1
ORDER BY contracts.end_date, person.ID

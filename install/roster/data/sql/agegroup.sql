SELECT IIf(age < %param1, "%param1岁以下", IIf(age < %param2, "%param1-%param2岁", IIf(age < %param3, "%param2-%param3岁", "%param3岁以上"))) AS [年龄段],
       Count(*) AS [人数], Min(age) AS [最小年龄], Max(age) AS [最大年龄]
FROM person
WHERE status = 1
GROUP BY IIf(age < %param1, "%param1岁以下", IIf(age < %param2, "%param1-%param2岁", IIf(age < %param3, "%param2-%param3岁", "%param3岁以上")))
ORDER BY Min(age)

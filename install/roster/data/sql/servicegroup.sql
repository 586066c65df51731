SELECT IIf(hereworkage < %param1, "不满%param1年", IIf(hereworkage < %param2, "%param1-%param2年", IIf(hereworkage < %param3, "%param2-%param3年", "%param3年以上"))) AS [本单位工龄段],
       Count(*) AS [人数], Min(hereworkage) AS [最短工龄], Max(hereworkage) AS [最长工龄]
FROM person
WHERE status = 1
GROUP BY IIf(hereworkage < %param1, "不满%param1年", IIf(hereworkage < %param2, "%param1-%param2年", IIf(hereworkage < %param3, "%param2-%param3年", "%param3年以上")))
ORDER BY Min(hereworkage)

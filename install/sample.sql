-- Sample rows of a small company's personnel archive, for trying the program out.
-- Ages and years of service are computed when the database file is made (see the end of the
-- file); a few contracts end within the next 30 days of that day.

-- 20 persons; A007, A014 and A019 have left the company (status 2).
INSERT INTO person (ID, name, sex, birth, folk, ismarry, cardID, phone, call, mphone, native, addr, school, subject, gdate, dept, dept_1, dept_2, isworker, aboutpay, date1, date2, education, political, technical, duty, comments, status) VALUES
    ('A001', '王建华', '男', '1968-03-14', '汉族', '已婚', '130102196803141750', '010-65523111', '010-84216571', '13814327784', '河北石家庄', '北京市朝阳区望京西园三区312号楼2单元501', '中国人民大学', '企业管理', '1993-07-01', '总经理办公室', '', '', '正式职工', '年薪制', '1993-07-15', '1998-05-10', '硕士研究生', '中共党员', '高级经济师', '总经理', '公司创始团队成员，主持全面工作。', 1);
INSERT INTO person (ID, name, sex, birth, folk, ismarry, cardID, phone, call, mphone, native, addr, school, subject, gdate, dept, dept_1, dept_2, isworker, aboutpay, date1, date2, education, political, technical, duty, comments, status) VALUES
    ('A002', '张伟', '男', '1975-01-22', '汉族', '已婚', '320102197501222491', '010-65523122', '010-84220142', '13618421001', '江苏南京', '北京市海淀区清河毛纺路18号院6号楼1102', '东南大学', '计算机科学与技术', '2000-07-01', '技术研发部', '软件开发中心', '后端组', '正式职工', '月薪制', '2000-07-10', '2006-03-01', '硕士研究生', '中共党员', '高级工程师', '部门经理', '负责研发部日常管理和核心系统架构。', 1);
INSERT INTO person (ID, name, sex, birth, folk, ismarry, cardID, phone, call, mphone, native, addr, school, subject, gdate, dept, dept_1, dept_2, isworker, aboutpay, date1, date2, education, political, technical, duty, comments, status) VALUES
    ('A003', '李娜', '女', '1982-02-09', '回族', '已婚', '640104198202093126', '010-65523133', '010-84223713', '13522514218', '宁夏银川', '北京市朝阳区安贞西里四区7号楼603', '中央财经大学', '会计学', '2004-07-01', '财务部', '会计科', '', '正式职工', '月薪制', '2004-07-20', '2009-11-02', '大学本科', '中共党员', '高级会计师', '部门经理', '2021年获评公司优秀管理者。', 1);
INSERT INTO person (ID, name, sex, birth, folk, ismarry, cardID, phone, call, mphone, native, addr, school, subject, gdate, dept, dept_1, dept_2, isworker, aboutpay, date1, date2, education, political, technical, duty, comments, status) VALUES
    ('A004', '张敏', '女', '1990-04-18', '汉族', '未婚', '420106199004183864', '010-65523144', '010-84227284', '18626607435', '湖北武汉', '北京市朝阳区芍药居北里205号楼903', '华中师范大学', '人力资源管理', '2012-07-01', '人力资源部', '招聘培训科', '', '正式职工', '月薪制', '2012-07-16', '2015-04-20', '大学本科', '中共党员', '经济师', '主管', '负责校园招聘和新员工培训。', 1);
INSERT INTO person (ID, name, sex, birth, folk, ismarry, cardID, phone, call, mphone, native, addr, school, subject, gdate, dept, dept_1, dept_2, isworker, aboutpay, date1, date2, education, political, technical, duty, comments, status) VALUES
    ('A005', '刘洋', '男', '1988-05-30', '汉族', '已婚', '370202198805304516', '010-65523155', '010-84230855', '15830700652', '山东青岛', '北京市昌平区回龙观龙泽苑东区15号楼402', '中国海洋大学', '软件工程', '2010-07-01', '技术研发部', '软件开发中心', '前端组', '正式职工', '月薪制', '2010-07-12', '2013-09-01', '大学本科', '群众', '工程师', '组长', '', 1);
INSERT INTO person (ID, name, sex, birth, folk, ismarry, cardID, phone, call, mphone, native, addr, school, subject, gdate, dept, dept_1, dept_2, isworker, aboutpay, date1, date2, education, political, technical, duty, comments, status) VALUES
    ('A006', '陈静', '女', '1993-06-07', '汉族', '未婚', '330106199306075242', '010-65523166', '010-84234426', '15034793869', '浙江杭州', '北京市海淀区西三旗育新花园9号楼1306', '杭州电子科技大学', '通信工程', '2015-07-01', '技术研发部', '软件开发中心', '测试组', '合同制职工', '月薪制', '2015-07-06', '2018-08-13', '大学本科', '共青团员', '助理工程师', '职员', '持有软件测试工程师证书。', 1);
INSERT INTO person (ID, name, sex, birth, folk, ismarry, cardID, phone, call, mphone, native, addr, school, subject, gdate, dept, dept_1, dept_2, isworker, aboutpay, date1, date2, education, political, technical, duty, comments, status) VALUES
    ('A007', '杨帆', '男', '1985-07-25', '满族', '离异', '210102198507255998', '010-65523177', '010-84237997', '13738887086', '辽宁沈阳', '北京市丰台区方庄芳古园一区12号楼705', '沈阳工业大学', '市场营销', '2006-07-01', '市场营销部', '华北销售处', '', '正式职工', '月薪制', '2006-07-03', '2011-02-14', '大学专科', '群众', '经济师', '主管', '2024年6月30日因个人原因辞职。', 2);
INSERT INTO person (ID, name, sex, birth, folk, ismarry, cardID, phone, call, mphone, native, addr, school, subject, gdate, dept, dept_1, dept_2, isworker, aboutpay, date1, date2, education, political, technical, duty, comments, status) VALUES
    ('A008', '赵丽', '女', '1979-08-12', '汉族', '已婚', '41010519790812662X', '010-65523188', '010-84241568', '18542980303', '河南郑州', '北京市大兴区黄村兴华大街二段38号院3号楼201', '郑州工业贸易学校', '机电一体化', '1997-07-01', '生产部', '一车间', '质检班', '正式职工', '计时工资', '1997-08-01', '2003-06-16', '中专', '中共党员', '技师', '组长', '质检班组连续三年无质量事故。', 1);
INSERT INTO person (ID, name, sex, birth, folk, ismarry, cardID, phone, call, mphone, native, addr, school, subject, gdate, dept, dept_1, dept_2, isworker, aboutpay, date1, date2, education, political, technical, duty, comments, status) VALUES
    ('A009', '张建国', '男', '1965-09-03', '汉族', '已婚', '110105196509037376', '010-65523199', '010-84245139', '15947073520', '北京', '北京市朝阳区劲松八区805号楼3门402', '北京理工大学', '机械制造工艺与设备', '1987-07-01', '生产部', '', '', '正式职工', '月薪制', '1987-07-20', '1999-01-05', '大学本科', '中共党员', '高级工程师', '部门经理', '主管生产计划与安全生产。', 1);
INSERT INTO person (ID, name, sex, birth, folk, ismarry, cardID, phone, call, mphone, native, addr, school, subject, gdate, dept, dept_1, dept_2, isworker, aboutpay, date1, date2, education, political, technical, duty, comments, status) VALUES
    ('A010', '黄晓明', '男', '1991-10-16', '壮族', '已婚', '450103199110168015', '010-65523210', '010-84248710', '13951166737', '广西南宁', '北京市海淀区上地西里风雅园二区5号楼1201', '北京邮电大学', '电子与通信工程', '2016-07-01', '技术研发部', '硬件设计中心', '电路组', '正式职工', '月薪制', '2016-07-11', '2016-07-11', '硕士研究生', '群众', '工程师', '职员', '', 1);
INSERT INTO person (ID, name, sex, birth, folk, ismarry, cardID, phone, call, mphone, native, addr, school, subject, gdate, dept, dept_1, dept_2, isworker, aboutpay, date1, date2, education, political, technical, duty, comments, status) VALUES
    ('A011', '周婷', '女', '1995-11-28', '汉族', '未婚', '43010419951128874X', '010-65523221', '010-84252281', '13855259954', '湖南长沙', '北京市朝阳区双井富力城C区8号楼1708', '湖南大学', '汉语言文学', '2018-07-01', '总经理办公室', '文秘科', '', '合同制职工', '月薪制', '2018-07-09', '2019-03-04', '大学本科', '共青团员', '无', '职员', '', 1);
INSERT INTO person (ID, name, sex, birth, folk, ismarry, cardID, phone, call, mphone, native, addr, school, subject, gdate, dept, dept_1, dept_2, isworker, aboutpay, date1, date2, education, political, technical, duty, comments, status) VALUES
    ('A012', '吴强', '男', '1983-12-05', '汉族', '已婚', '510104198312059499', '010-65523232', '010-84255852', '13659353171', '四川成都', '北京市大兴区旧宫镇德茂佳苑6号楼502', '成都市第七中学', '', '2001-07-01', '生产部', '二车间', '机加工班', '正式职工', '计件工资', '2001-09-01', '2005-10-10', '高中', '群众', '技师', '组长', '数控车床操作能手。', 1);
INSERT INTO person (ID, name, sex, birth, folk, ismarry, cardID, phone, call, mphone, native, addr, school, subject, gdate, dept, dept_1, dept_2, isworker, aboutpay, date1, date2, education, political, technical, duty, comments, status) VALUES
    ('A013', '徐慧', '女', '1987-01-11', '汉族', '已婚', '320102198701110122', '010-65523243', '010-84259423', '13563446388', '江苏南京', '北京市西城区广安门外红居街10号院2号楼901', '南京审计大学', '审计学', '2009-07-01', '财务部', '审计科', '', '正式职工', '月薪制', '2009-07-13', '2012-05-21', '大学本科', '中共党员', '会计师', '主管', '', 1);
INSERT INTO person (ID, name, sex, birth, folk, ismarry, cardID, phone, call, mphone, native, addr, school, subject, gdate, dept, dept_1, dept_2, isworker, aboutpay, date1, date2, education, political, technical, duty, comments, status) VALUES
    ('A014', '孙磊', '男', '1992-02-27', '汉族', '未婚', '370202199202270876', '010-65523254', '010-84262994', '18667539605', '山东青岛', '北京市通州区梨园镇云景里小区17号楼603', '青岛职业技术学院', '市场营销', '2013-07-01', '市场营销部', '华东销售处', '', '合同制职工', '协议工资', '2013-07-08', '2017-03-06', '大学专科', '群众', '助理经济师', '职员', '2023年12月31日合同期满不再续签。', 2);
INSERT INTO person (ID, name, sex, birth, folk, ismarry, cardID, phone, call, mphone, native, addr, school, subject, gdate, dept, dept_1, dept_2, isworker, aboutpay, date1, date2, education, political, technical, duty, comments, status) VALUES
    ('A015', '马晓燕', '女', '1989-03-19', '回族', '已婚', '640104198903191503', '010-65523265', '010-84266565', '15871632822', '宁夏银川', '北京市朝阳区和平街十四区6号楼1004', '北方民族大学', '劳动与社会保障', '2011-07-01', '人力资源部', '薪酬福利科', '', '正式职工', '月薪制', '2011-07-18', '2014-02-17', '大学本科', '中共预备党员', '助理经济师', '职员', '负责社保公积金缴纳和工资核算。', 1);
INSERT INTO person (ID, name, sex, birth, folk, ismarry, cardID, phone, call, mphone, native, addr, school, subject, gdate, dept, dept_1, dept_2, isworker, aboutpay, date1, date2, education, political, technical, duty, comments, status) VALUES
    ('A016', '朱斌', '男', '1978-04-02', '汉族', '已婚', '330106197804022259', '010-65523276', '010-84270136', '15075726039', '浙江杭州', '北京市东城区东直门外香河园小区3号楼1506', '浙江工商大学', '国际经济与贸易', '2000-07-01', '市场营销部', '', '', '正式职工', '年薪制', '2000-07-17', '2008-09-01', '大学本科', '中共党员', '高级经济师', '部门经理', '', 1);
INSERT INTO person (ID, name, sex, birth, folk, ismarry, cardID, phone, call, mphone, native, addr, school, subject, gdate, dept, dept_1, dept_2, isworker, aboutpay, date1, date2, education, political, technical, duty, comments, status) VALUES
    ('A017', '胡雪', '女', '1997-05-14', '土家族', '未婚', '433101199705142988', '010-65523287', '010-84273707', '13779819256', '湖南吉首', '北京市大兴区西红门镇宏福苑12号楼301', '湘西民族职业技术学院', '电子技术应用', '2016-07-01', '生产部', '一车间', '装配班', '劳务派遣', '计时工资', '2016-08-01', '2020-06-15', '中专', '共青团员', '无', '职员', '', 1);
INSERT INTO person (ID, name, sex, birth, folk, ismarry, cardID, phone, call, mphone, native, addr, school, subject, gdate, dept, dept_1, dept_2, isworker, aboutpay, date1, date2, education, political, technical, duty, comments, status) VALUES
    ('A018', '张丽华', '女', '1972-07-21', '汉族', '已婚', '110105197207213623', '010-65523298', '010-84277278', '18583912473', '北京', '北京市朝阳区团结湖北里9号楼2门601', '首都经济贸易大学', '行政管理', '1994-07-01', '总经理办公室', '行政科', '', '正式职工', '年薪制', '1994-07-11', '2001-04-02', '大学本科', '中共党员', '高级经济师', '副总经理', '分管行政、人事工作。', 1);
INSERT INTO person (ID, name, sex, birth, folk, ismarry, cardID, phone, call, mphone, native, addr, school, subject, gdate, dept, dept_1, dept_2, isworker, aboutpay, date1, date2, education, political, technical, duty, comments, status) VALUES
    ('A019', '郭涛', '男', '1980-08-29', '汉族', '再婚', '610113198008294371', '010-65523309', '010-84280849', '15988005690', '陕西西安', '北京市海淀区永丰路永丰嘉园5号楼802', '西安航空职业技术学院', '机械设计与制造', '2001-07-01', '技术研发部', '硬件设计中心', '结构组', '正式职工', '月薪制', '2001-07-09', '2010-10-18', '大学专科', '群众', '工程师', '职员', '2025年3月调往外地分公司，人事关系转出。', 2);
INSERT INTO person (ID, name, sex, birth, folk, ismarry, cardID, phone, call, mphone, native, addr, school, subject, gdate, dept, dept_1, dept_2, isworker, aboutpay, date1, date2, education, political, technical, duty, comments, status) VALUES
    ('A020', '林志强', '男', '1984-12-18', '汉族', '已婚', '350203198412185010', '010-65523320', '010-84284420', '13992098907', '福建厦门', '北京市朝阳区望京花家地西里2号楼1203', '厦门大学', '市场营销', '2006-07-01', '市场营销部', '华南销售处', '', '正式职工', '月薪制', '2006-07-10', '2012-08-06', '大学本科', '群众', '经济师', '主管', '2020年度销售冠军。', 1);

-- Years by the mean-month rule: whole mean months (30.4375 days) since the date, divided by 12.
UPDATE person SET age = CASE WHEN birth IS NULL OR birth = '' OR julianday('now', 'localtime') <= julianday(birth) THEN 0
    ELSE CAST((julianday('now', 'localtime') - julianday(birth)) / 30.4375 AS INTEGER) / 12 END;
UPDATE person SET workage = CASE WHEN date1 IS NULL OR date1 = '' OR julianday('now', 'localtime') <= julianday(date1) THEN 0
    ELSE CAST((julianday('now', 'localtime') - julianday(date1)) / 30.4375 AS INTEGER) / 12 END;
UPDATE person SET hereworkage = CASE WHEN date2 IS NULL OR date2 = '' OR julianday('now', 'localtime') <= julianday(date2) THEN 0
    ELSE CAST((julianday('now', 'localtime') - julianday(date2)) / 30.4375 AS INTEGER) / 12 END;

-- Family members.
INSERT INTO family (id, name, relation, date, dept, duty, political, phone) VALUES ('A001', '刘秀梅', '配偶', '1970-05-06', '北京市第八十中学', '教师', '中共党员', '13911023456');
INSERT INTO family (id, name, relation, date, dept, duty, political, phone) VALUES ('A001', '王晨', '儿子', '1996-09-12', '中国银行北京分行', '客户经理', '中共党员', '13601187734');
INSERT INTO family (id, name, relation, date, dept, duty, political, phone) VALUES ('A002', '孙丽', '配偶', '1977-03-15', '北京协和医院', '主治医师', '群众', '13810234512');
INSERT INTO family (id, name, relation, date, dept, duty, political, phone) VALUES ('A002', '张子涵', '女儿', '2005-11-02', '北京市第四中学', '学生', '共青团员', '');
INSERT INTO family (id, name, relation, date, dept, duty, political, phone) VALUES ('A003', '马文', '配偶', '1980-10-21', '北京市海淀区税务局', '科员', '中共党员', '13701236678');
INSERT INTO family (id, name, relation, date, dept, duty, political, phone) VALUES ('A005', '王芳', '配偶', '1989-08-08', '北京京东世纪贸易有限公司', '产品经理', '群众', '18611027789');
INSERT INTO family (id, name, relation, date, dept, duty, political, phone) VALUES ('A005', '刘一诺', '女儿', '2016-04-25', '回龙观第二小学', '学生', '群众', '');
INSERT INTO family (id, name, relation, date, dept, duty, political, phone) VALUES ('A008', '钱志刚', '配偶', '1977-12-30', '北京公交集团', '驾驶员', '群众', '13501128890');
INSERT INTO family (id, name, relation, date, dept, duty, political, phone) VALUES ('A009', '李桂兰', '配偶', '1966-02-14', '北京市朝阳区劲松街道办事处', '退休', '中共党员', '13901012233');
INSERT INTO family (id, name, relation, date, dept, duty, political, phone) VALUES ('A009', '张浩', '儿子', '1991-06-18', '中国石油天然气集团有限公司', '工程师', '中共党员', '13701019987');
INSERT INTO family (id, name, relation, date, dept, duty, political, phone) VALUES ('A012', '何小梅', '配偶', '1985-07-07', '北京物美商业集团', '收银员', '群众', '15810236654');
INSERT INTO family (id, name, relation, date, dept, duty, political, phone) VALUES ('A013', '周明', '配偶', '1986-04-09', '北京市规划和自然资源委员会', '主任科员', '中共党员', '13801125543');
INSERT INTO family (id, name, relation, date, dept, duty, political, phone) VALUES ('A016', '沈洁', '配偶', '1980-01-26', '中国国际航空股份有限公司', '乘务长', '群众', '13911238876');
INSERT INTO family (id, name, relation, date, dept, duty, political, phone) VALUES ('A018', '陈国庆', '配偶', '1969-10-01', '北京市朝阳区人民法院', '审判员', '中共党员', '13601023344');
INSERT INTO family (id, name, relation, date, dept, duty, political, phone) VALUES ('A020', '郑雅琪', '配偶', '1986-03-30', '北京市朝阳区望京实验学校', '教师', '群众', '13910286657');

-- Work before joining the company.
INSERT INTO history (id, date1, date2, company, dept, duty, level1) VALUES ('A001', '1993-07-15', '1998-04-30', '北京市第二轻工业总公司', '经营管理处', '副处长', '副处级');
INSERT INTO history (id, date1, date2, company, dept, duty, level1) VALUES ('A002', '2000-07-10', '2006-02-28', '联想集团有限公司', '研究院', '软件工程师', '中级');
INSERT INTO history (id, date1, date2, company, dept, duty, level1) VALUES ('A003', '2004-07-20', '2009-10-31', '普华永道中天会计师事务所', '审计部', '高级审计员', '中级');
INSERT INTO history (id, date1, date2, company, dept, duty, level1) VALUES ('A004', '2012-07-16', '2015-04-10', '北京外企人力资源服务有限公司', '招聘部', '招聘专员', '初级');
INSERT INTO history (id, date1, date2, company, dept, duty, level1) VALUES ('A005', '2010-07-12', '2013-08-20', '北京百度网讯科技有限公司', '网页搜索部', '前端工程师', '中级');
INSERT INTO history (id, date1, date2, company, dept, duty, level1) VALUES ('A007', '2006-07-03', '2011-01-31', '沈阳华润雪花啤酒有限公司', '销售部', '销售代表', '初级');
INSERT INTO history (id, date1, date2, company, dept, duty, level1) VALUES ('A008', '1997-08-01', '2003-05-31', '郑州宇通客车股份有限公司', '总装车间', '质检员', '中级工');
INSERT INTO history (id, date1, date2, company, dept, duty, level1) VALUES ('A009', '1987-07-20', '1998-12-31', '北京第一机床厂', '技术科', '科长', '正科级');
INSERT INTO history (id, date1, date2, company, dept, duty, level1) VALUES ('A012', '2001-09-01', '2005-09-30', '成都成量工具集团有限公司', '机加车间', '车工', '中级工');
INSERT INTO history (id, date1, date2, company, dept, duty, level1) VALUES ('A013', '2009-07-13', '2012-05-10', '江苏苏宁易购集团股份有限公司', '内审部', '审计专员', '初级');
INSERT INTO history (id, date1, date2, company, dept, duty, level1) VALUES ('A016', '2000-07-17', '2008-08-15', '杭州娃哈哈集团有限公司', '华北销售公司', '区域经理', '中级');
INSERT INTO history (id, date1, date2, company, dept, duty, level1) VALUES ('A018', '1994-07-11', '2001-03-20', '北京市朝阳区人民政府办公室', '综合科', '科员', '科员');
INSERT INTO history (id, date1, date2, company, dept, duty, level1) VALUES ('A019', '2001-07-09', '2010-09-30', '西安飞机工业(集团)有限责任公司', '设计所', '结构设计员', '中级');
INSERT INTO history (id, date1, date2, company, dept, duty, level1) VALUES ('A020', '2006-07-10', '2012-07-31', '厦门建发股份有限公司', '市场部', '销售经理', '中级');

-- Rewards and penalties.
INSERT INTO honor (id, sorts, date1, reason1, dept, date2, reason2) VALUES ('A001', '优秀管理者', '2019-01-18', '带领公司完成年度经营目标', '公司董事会', NULL, '');
INSERT INTO honor (id, sorts, date1, reason1, dept, date2, reason2) VALUES ('A002', '记功', '2020-12-25', '主持完成新一代生产管理系统上线', '公司总经理办公会', NULL, '');
INSERT INTO honor (id, sorts, date1, reason1, dept, date2, reason2) VALUES ('A003', '优秀管理者', '2021-01-22', '财务核算规范，年度审计零差错', '公司总经理办公会', NULL, '');
INSERT INTO honor (id, sorts, date1, reason1, dept, date2, reason2) VALUES ('A005', '嘉奖', '2022-06-30', '攻克移动端性能问题', '技术研发部', NULL, '');
INSERT INTO honor (id, sorts, date1, reason1, dept, date2, reason2) VALUES ('A008', '先进班组', '2023-01-15', '质检班连续三年无质量事故', '公司工会', NULL, '');
INSERT INTO honor (id, sorts, date1, reason1, dept, date2, reason2) VALUES ('A012', '警告', '2021-05-10', '违反车间安全操作规程', '生产部', '2022-05-10', '处分期满，表现良好');
INSERT INTO honor (id, sorts, date1, reason1, dept, date2, reason2) VALUES ('A012', '技术能手', '2023-10-20', '公司职工技能大赛数控车床第一名', '公司工会', NULL, '');
INSERT INTO honor (id, sorts, date1, reason1, dept, date2, reason2) VALUES ('A014', '通报批评', '2022-09-05', '未按规定报销差旅费用', '市场营销部', '2023-03-05', '已整改并退回款项');
INSERT INTO honor (id, sorts, date1, reason1, dept, date2, reason2) VALUES ('A020', '销售冠军', '2021-01-08', '2020年度销售额第一', '市场营销部', NULL, '');

-- Professional qualifications and appointments.
INSERT INTO assess (id, tech, mode, date0, duty, date1, date2, dept) VALUES ('A001', '高级经济师', '评审', '2005-12-20', '高级经济师', '2006-01-01', '2026-12-31', '北京市人力资源和社会保障局');
INSERT INTO assess (id, tech, mode, date0, duty, date1, date2, dept) VALUES ('A002', '高级工程师', '评审', '2012-11-30', '高级工程师', '2013-01-01', '2027-12-31', '北京市人力资源和社会保障局');
INSERT INTO assess (id, tech, mode, date0, duty, date1, date2, dept) VALUES ('A003', '高级会计师', '考评结合', '2016-10-15', '高级会计师', '2017-01-01', '2026-12-31', '北京市人力资源和社会保障局');
INSERT INTO assess (id, tech, mode, date0, duty, date1, date2, dept) VALUES ('A004', '经济师', '考试', '2017-11-05', '经济师', '2018-01-01', '2027-12-31', '人力资源和社会保障部');
INSERT INTO assess (id, tech, mode, date0, duty, date1, date2, dept) VALUES ('A005', '工程师', '评审', '2016-12-10', '工程师', '2017-01-01', '2026-12-31', '北京市人力资源和社会保障局');
INSERT INTO assess (id, tech, mode, date0, duty, date1, date2, dept) VALUES ('A008', '技师', '考核认定', '2010-09-18', '技师', '2011-01-01', '2026-12-31', '北京市职业技能鉴定中心');
INSERT INTO assess (id, tech, mode, date0, duty, date1, date2, dept) VALUES ('A010', '工程师', '评审', '2021-12-15', '工程师', '2022-01-01', '2027-12-31', '北京市人力资源和社会保障局');
INSERT INTO assess (id, tech, mode, date0, duty, date1, date2, dept) VALUES ('A013', '会计师', '考试', '2014-09-20', '会计师', '2015-01-01', '2026-12-31', '财政部');
INSERT INTO assess (id, tech, mode, date0, duty, date1, date2, dept) VALUES ('A019', '工程师', '评审', '2008-12-12', '工程师', '2011-01-01', '2025-03-31', '陕西省人力资源和社会保障厅');

-- Training.
INSERT INTO train (id, mode, date1, date2, term, subject, dept, content, outlay, result) VALUES ('A002', '脱产培训', '2019-04-08', '2019-04-19', '两周', '软件架构', '中国电子技术标准化研究院', '微服务架构设计与实践', '8000', '合格');
INSERT INTO train (id, mode, date1, date2, term, subject, dept, content, outlay, result) VALUES ('A004', '在职培训', '2020-03-02', '2020-06-30', '四个月', '人力资源管理', '中国人民大学继续教育学院', '人才测评与招聘面试技巧', '6500', '优秀');
INSERT INTO train (id, mode, date1, date2, term, subject, dept, content, outlay, result) VALUES ('A005', '网络培训', '2021-09-01', '2021-10-31', '两个月', '前端开发', '中国大学MOOC', '现代Web前端工程化', '1200', '合格');
INSERT INTO train (id, mode, date1, date2, term, subject, dept, content, outlay, result) VALUES ('A006', '脱产培训', '2019-07-15', '2019-07-26', '两周', '软件测试', '中国软件评测中心', '软件测试工程师认证', '5800', '取得证书');
INSERT INTO train (id, mode, date1, date2, term, subject, dept, content, outlay, result) VALUES ('A008', '在职培训', '2018-05-07', '2018-05-11', '一周', '质量管理', '中国质量协会', '六西格玛绿带', '4500', '取得证书');
INSERT INTO train (id, mode, date1, date2, term, subject, dept, content, outlay, result) VALUES ('A011', '入职培训', '2018-07-09', '2018-07-13', '一周', '企业文化', '公司人力资源部', '公司制度与办公礼仪', '0', '合格');
INSERT INTO train (id, mode, date1, date2, term, subject, dept, content, outlay, result) VALUES ('A012', '在职培训', '2022-03-14', '2022-04-15', '一个月', '数控加工', '北京市工业技师学院', '数控车床编程与操作', '3200', '优秀');
INSERT INTO train (id, mode, date1, date2, term, subject, dept, content, outlay, result) VALUES ('A015', '网络培训', '2023-02-01', '2023-03-31', '两个月', '薪酬管理', '北京人力资源服务行业协会', '个人所得税与社保政策解读', '800', '合格');
INSERT INTO train (id, mode, date1, date2, term, subject, dept, content, outlay, result) VALUES ('A017', '入职培训', '2020-06-15', '2020-06-24', '十天', '安全生产', '公司生产部', '车间安全操作规程与消防知识', '0', '合格');

-- Employment contracts; A004, A006, A011 and A017 end within the next 30 days, A013 shortly after.
INSERT INTO contracts (person_id, contract_no, name, category, prop, start_date, end_date, comment) VALUES ('A001', 'HT1998-001', '劳动合同', '无固定期限', '续签', '2008-05-10', NULL, '2008年转为无固定期限合同');
INSERT INTO contracts (person_id, contract_no, name, category, prop, start_date, end_date, comment) VALUES ('A002', 'HT2006-012', '劳动合同', '无固定期限', '续签', '2016-03-01', NULL, '');
INSERT INTO contracts (person_id, contract_no, name, category, prop, start_date, end_date, comment) VALUES ('A003', 'HT2009-035', '劳动合同', '无固定期限', '续签', '2019-11-02', NULL, '');
INSERT INTO contracts (person_id, contract_no, name, category, prop, start_date, end_date, comment) VALUES ('A004', 'HT2023-041', '劳动合同', '固定期限', '续签', date('now', 'localtime', '-1083 days'), date('now', 'localtime', '+12 days'), '第二次续签，期满前需征求本人意见');
INSERT INTO contracts (person_id, contract_no, name, category, prop, start_date, end_date, comment) VALUES ('A005', 'HT2022-017', '劳动合同', '固定期限', '续签', '2022-09-01', '2027-08-31', '');
INSERT INTO contracts (person_id, contract_no, name, category, prop, start_date, end_date, comment) VALUES ('A006', 'HT2023-052', '劳动合同', '固定期限', '续签', date('now', 'localtime', '-1090 days'), date('now', 'localtime', '+5 days'), '');
INSERT INTO contracts (person_id, contract_no, name, category, prop, start_date, end_date, comment) VALUES ('A007', 'HT2021-009', '劳动合同', '固定期限', '续签', '2021-02-14', '2024-06-30', '本人辞职，合同提前解除');
INSERT INTO contracts (person_id, contract_no, name, category, prop, start_date, end_date, comment) VALUES ('A008', 'HT2013-020', '劳动合同', '无固定期限', '续签', '2013-06-16', NULL, '');
INSERT INTO contracts (person_id, contract_no, name, category, prop, start_date, end_date, comment) VALUES ('A009', 'HT1999-002', '劳动合同', '无固定期限', '续签', '2009-01-05', NULL, '');
INSERT INTO contracts (person_id, contract_no, name, category, prop, start_date, end_date, comment) VALUES ('A010', 'HT2024-008', '劳动合同', '固定期限', '续签', '2024-07-11', '2029-07-10', '');
INSERT INTO contracts (person_id, contract_no, name, category, prop, start_date, end_date, comment) VALUES ('A011', 'HT2024-063', '劳动合同', '固定期限', '续签', date('now', 'localtime', '-706 days'), date('now', 'localtime', '+25 days'), '');
INSERT INTO contracts (person_id, contract_no, name, category, prop, start_date, end_date, comment) VALUES ('A012', 'HT2015-031', '劳动合同', '无固定期限', '续签', '2015-10-10', NULL, '');
INSERT INTO contracts (person_id, contract_no, name, category, prop, start_date, end_date, comment) VALUES ('A013', 'HT2022-029', '劳动合同', '固定期限', '续签', date('now', 'localtime', '-1415 days'), date('now', 'localtime', '+45 days'), '');
INSERT INTO contracts (person_id, contract_no, name, category, prop, start_date, end_date, comment) VALUES ('A014', 'HT2020-044', '劳动合同', '固定期限', '续签', '2021-01-01', '2023-12-31', '期满终止');
INSERT INTO contracts (person_id, contract_no, name, category, prop, start_date, end_date, comment) VALUES ('A015', 'HT2024-015', '劳动合同', '固定期限', '续签', '2024-02-17', '2029-02-16', '');
INSERT INTO contracts (person_id, contract_no, name, category, prop, start_date, end_date, comment) VALUES ('A016', 'HT2018-005', '劳动合同', '无固定期限', '续签', '2018-09-01', NULL, '');
INSERT INTO contracts (person_id, contract_no, name, category, prop, start_date, end_date, comment) VALUES ('A017', 'LW2025-003', '劳务派遣协议', '以完成一定工作任务为期限', '新签', date('now', 'localtime', '-340 days'), date('now', 'localtime', '+18 days'), '派遣单位：北京外企人力资源服务有限公司');
INSERT INTO contracts (person_id, contract_no, name, category, prop, start_date, end_date, comment) VALUES ('A018', 'HT2001-004', '劳动合同', '无固定期限', '续签', '2011-04-02', NULL, '');
INSERT INTO contracts (person_id, contract_no, name, category, prop, start_date, end_date, comment) VALUES ('A019', 'HT2020-038', '劳动合同', '固定期限', '续签', '2020-10-18', '2025-03-31', '调往分公司，合同解除');
INSERT INTO contracts (person_id, contract_no, name, category, prop, start_date, end_date, comment) VALUES ('A020', 'HT2022-011', '劳动合同', '固定期限', '续签', '2022-08-06', '2027-08-05', '');
INSERT INTO contracts (person_id, contract_no, name, category, prop, start_date, end_date, comment) VALUES ('A020', 'BM2022-011', '保密协议', '固定期限', '新签', '2022-08-06', '2027-08-05', '客户资料保密');

-- Transfers.
INSERT INTO redeployments (person_id, date, category, from_value, to_value, reason) VALUES ('A005', '2018-03-01', '部门调动', '技术研发部软件开发中心后端组', '技术研发部软件开发中心前端组', '前端团队扩充');
INSERT INTO redeployments (person_id, date, category, from_value, to_value, reason) VALUES ('A005', '2020-01-02', '职务调动', '职员', '组长', '年度考核优秀，提任组长');
INSERT INTO redeployments (person_id, date, category, from_value, to_value, reason) VALUES ('A004', '2019-07-01', '职务调动', '职员', '主管', '竞聘上岗');
INSERT INTO redeployments (person_id, date, category, from_value, to_value, reason) VALUES ('A013', '2016-04-11', '部门调动', '财务部会计科', '财务部审计科', '加强内部审计');
INSERT INTO redeployments (person_id, date, category, from_value, to_value, reason) VALUES ('A019', '2025-03-31', '部门调动', '技术研发部硬件设计中心结构组', '外地分公司', '支援分公司建设');
INSERT INTO redeployments (person_id, date, category, from_value, to_value, reason) VALUES ('A016', '2012-01-04', '职务调动', '主管', '部门经理', '公司任命');

-- Address book.
INSERT INTO addrbook (name, sex, phone1, phone2, call, mphone, oicq, email, comments) VALUES ('张明远', '男', '010-84512376', '010-65528800', '010-65528801', '13901234567', '10283746', 'zhangmy@example.com', '北京外企人力资源服务有限公司，劳务派遣对接人');
INSERT INTO addrbook (name, sex, phone1, phone2, call, mphone, oicq, email, comments) VALUES ('李秀英', '女', '010-62231145', '010-62758866', '', '13811122233', '', 'lixiuying@example.com', '社保中心业务窗口');
INSERT INTO addrbook (name, sex, phone1, phone2, call, mphone, oicq, email, comments) VALUES ('王刚', '男', '', '010-88376521', '010-88376500', '13522334455', '55667788', 'wanggang@example.com', '长期合作的培训机构讲师');
INSERT INTO addrbook (name, sex, phone1, phone2, call, mphone, oicq, email, comments) VALUES ('赵小红', '女', '0532-85761234', '', '', '15866778899', '99887766', 'zhaoxh@example.com', '青岛客户，每年春节前寄送贺卡');
INSERT INTO addrbook (name, sex, phone1, phone2, call, mphone, oicq, email, comments) VALUES ('陈律师', '男', '', '010-65871234', '010-65871200', '18610102020', '', 'chenlaw@example.com', '公司法律顾问，劳动争议咨询');

-- Notes.
INSERT INTO notepad (date, sort, caption, comments) VALUES (date('now', 'localtime', '-3 days'), '工作', '年度考核安排', '12月下旬开始年度考核，各部门于月底前提交考核表。');
INSERT INTO notepad (date, sort, caption, comments) VALUES (date('now', 'localtime', '-1 days'), '会议', '人事工作例会', '周一上午九点，三楼会议室。议题：合同续签、明年招聘计划。');
INSERT INTO notepad (date, sort, caption, comments) VALUES (date('now', 'localtime', '+2 days'), '提醒', '合同续签', '张敏、陈静的劳动合同即将到期，提前与本人沟通续签意向。');
INSERT INTO notepad (date, sort, caption, comments) VALUES ('2026-09-15', '培训', '新员工入职培训', '九月入职的三名新员工安排两天入职培训，内容：公司制度、安全生产。');
INSERT INTO notepad (date, sort, caption, comments) VALUES ('2026-06-30', '其他', '社保基数调整', '本年度社保缴费基数调整已完成，工资表同步更新。');

-- Users: admin (administrator, password admin) and guest (password guest). The digest is the
-- MD5 of the password followed by the salt, as 32 upper-case hexadecimal digits.
INSERT INTO password (user, passwd, isadmin, key) VALUES ('admin', '6DF44300DE86795D146FA377C671CA01', -1, '3F9A6C21');
INSERT INTO password (user, passwd, isadmin, key) VALUES ('guest', '381A93A20E4A3B7E26C93DB7B2134D04', 0, 'B7E04D58');

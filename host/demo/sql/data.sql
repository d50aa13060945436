-- Sample data of the demo hospital. Times are relative to the day the
-- database is built, so that the default date ranges of the lists
-- (a few days back up to today) always show rows; generated times that would
-- lie ahead of the build are moved back to it.

INSERT INTO BCK1 (BCK01, BCK02, BCK03, BCK04, BCK05) VALUES
    (11, '0101', '普外科', 'PWK', '临床'),
    (12, '0102', '骨科', 'GK', '临床'),
    (13, '0103', '神经外科', 'SJWK', '临床'),
    (14, '0104', '泌尿外科', 'MNWK', '临床'),
    (15, '0105', '妇产科', 'FCK', '临床'),
    (21, '0201', '心血管内科', 'XXGNK', '临床'),
    (22, '0202', '呼吸内科', 'HXNK', '临床'),
    (23, '0203', '消化内科', 'XHNK', '临床'),
    (31, '0301', '麻醉科', 'MZK', '医技'),
    (32, '0302', '手术室', 'SSS', '医技'),
    (41, '0401', '药剂科', 'YJK', '药剂'),
    (42, '0402', '检验科', 'JYK', '医技'),
    (43, '0403', '放射科', 'FSK', '医技'),
    (51, '0501', '医务科', 'YWK', '行政'),
    (52, '0502', '信息科', 'XXK', '行政');

INSERT INTO BCE1 (BCE01, BCE02, BCE03, BCE04, BCK01, BCE05) VALUES
    (1000, 'admin', '系统管理员', 'XTGLY', 52, '工程师'),
    (1001, '1001', '张伟', 'ZW', 11, '主任医师'),
    (1002, '1002', '李娜', 'LN', 11, '主治医师'),
    (1003, '1003', '王强', 'WQ', 11, '住院医师'),
    (1004, '1004', '刘洋', 'LY', 12, '主任医师'),
    (1005, '1005', '陈静', 'CJ', 12, '主治医师'),
    (1006, '1006', '杨帆', 'YF', 12, '住院医师'),
    (1007, '1007', '赵敏', 'ZM', 21, '主任医师'),
    (1008, '1008', '黄磊', 'HL', 21, '主治医师'),
    (1009, '1009', '周婷', 'ZT', 22, '副主任医师'),
    (1010, '1010', '吴昊', 'WH', 23, '主任医师'),
    (1011, '1011', '郑丽', 'ZL', 41, '主任药师'),
    (1012, '1012', '孙涛', 'ST', 41, '主管药师'),
    (1013, '1013', '马琳', 'ML', 41, '药师'),
    (1014, '1014', '朱红', 'ZH', 31, '主任医师'),
    (1015, '1015', '胡军', 'HJ', 31, '主治医师'),
    (1016, '1016', '郭芳', 'GF', 32, '主管护师'),
    (1017, '1017', '何静', 'HJ', 32, '护师'),
    (1018, '1018', '林峰', 'LF', 13, '主任医师'),
    (1019, '1019', '罗敏', 'LM', 15, '主任医师'),
    (1020, '1020', '高翔', 'GX', 14, '主治医师'),
    (1021, '1021', '梁晨', 'LC', 51, '副主任医师'),
    (1022, '1022', '谢宇', 'XY', 13, '主治医师'),
    (1023, '1023', '韩雪', 'HX', 15, '主治医师'),
    (1024, '1024', '许杰', 'XJ', 22, '主治医师'),
    (1025, '1025', '冯雪', 'FX', 23, '主治医师');

INSERT INTO VAA1 (VAA01, VAA05, VAA06, ABW01) VALUES
    (1, '王秀英', 'WXY', 2), (2, '李建国', 'LJG', 1), (3, '张桂兰', 'ZGL', 2),
    (4, '刘志强', 'LZQ', 1), (5, '陈玉梅', 'CYM', 2), (6, '杨德明', 'YDM', 1),
    (7, '赵淑珍', 'ZSZ', 2), (8, '黄海涛', 'HHT', 1), (9, '周春燕', 'ZCY', 2),
    (10, '吴国华', 'WGH', 1), (11, '徐丽娟', 'XLJ', 2), (12, '孙宏伟', 'SHW', 1),
    (13, '胡晓梅', 'HXM', 2), (14, '朱文博', 'ZWB', 1), (15, '高雪莲', 'GXL', 2),
    (16, '林振华', 'LZH', 1), (17, '何小燕', 'HXY', 2), (18, '郭俊杰', 'GJJ', 1),
    (19, '马丽华', 'MLH', 2), (20, '罗永刚', 'LYG', 1), (21, '梁翠花', 'LCH', 2),
    (22, '宋明亮', 'SML', 1), (23, '郑美玲', 'ZML', 2), (24, '谢天宇', 'XTY', 1),
    (25, '韩素芳', 'HSF', 2), (26, '唐建军', 'TJJ', 1), (27, '冯秀兰', 'FXL', 2),
    (28, '于海波', 'YHB', 1), (29, '董雅琴', 'DYQ', 2), (30, '萧子轩', 'XZX', 1),
    (31, '程慧敏', 'CHM', 2), (32, '曹卫东', 'CWD', 1), (33, '袁凤英', 'YFY', 2),
    (34, '邓立新', 'DLX', 1), (35, '许静怡', 'XJY', 2), (36, '傅建平', 'FJP', 1),
    (37, '沈玉兰', 'SYL', 2), (38, '曾庆丰', 'ZQF', 1), (39, '彭雨欣', 'PYX', 2),
    (40, '吕国栋', 'LGD', 1);
-- Women of the obstetrics ward are of child-bearing age.
UPDATE VAA1 SET VAA04 = printf('ZY%07d', 2400000 + VAA01),
    VAA12 = CASE WHEN VAA01 BETWEEN 25 AND 27 THEN date('1990-01-01', printf('+%d days', VAA01 * 97))
                 ELSE date('1938-01-01', printf('+%d days', (VAA01 * 3659) % 28000)) END;

-- Team of each clinical department: director, doctor, resident.
CREATE TEMP TABLE demo_team (dept INT PRIMARY KEY, director INT, doctor INT, resident INT);
INSERT INTO demo_team VALUES
    (11, 1001, 1002, 1003), (12, 1004, 1005, 1006), (13, 1018, 1022, NULL),
    (15, 1019, 1023, NULL), (21, 1007, 1008, NULL), (22, 1009, 1024, NULL),
    (23, 1010, 1025, NULL);

-- Every patient is an inpatient (visit id = patient id); patients 1-20 also
-- have an outpatient visit (visit id 40 + patient id).
INSERT INTO VAC1 (VAA07, VAA01, ACF01, BCK01, BCE01, BCQ04, VAC08)
SELECT p.VAA01, p.VAA01, 2, t.dept,
       CASE WHEN p.VAA01 % 2 = 0 AND t.resident IS NOT NULL THEN t.resident ELSE t.doctor END,
       printf('%d床', 1 + (p.VAA01 * 7) % 45),
       datetime('now', 'localtime', 'start of day', printf('-%d days', 4 + p.VAA01 % 9), '+10 hours')
FROM VAA1 p
JOIN demo_team t ON t.dept = CASE WHEN p.VAA01 <= 12 THEN 11 WHEN p.VAA01 <= 20 THEN 12
                                  WHEN p.VAA01 <= 24 THEN 13 WHEN p.VAA01 <= 27 THEN 15
                                  WHEN p.VAA01 <= 32 THEN 21 WHEN p.VAA01 <= 36 THEN 22 ELSE 23 END;
INSERT INTO VAC1 (VAA07, VAA01, ACF01, BCK01, BCE01, BCQ04, VAC08)
SELECT 40 + v.VAA01, v.VAA01, 1, v.BCK01, v.BCE01, NULL,
       datetime('now', 'localtime', 'start of day', printf('-%d days', v.VAA01 % 5), '+9 hours')
FROM VAC1 v WHERE v.VAA01 <= 20;

INSERT INTO BBY1 (BBY01, BBY02, BBY03, BBY05, BBY06, BBY08, BBY09, BBY10, BBY11, BBY12, BBY15) VALUES
    (1, 'XY0001', 'AMXLJN', '阿莫西林胶囊', '0.25g*24粒', '盒', 'g', 0.5, 'tid', 12.50, 0),
    (2, 'XY0002', 'TBFXZP', '头孢呋辛酯片', '0.25g*12片', '盒', 'g', 0.25, 'bid', 28.60, 0),
    (3, 'XY0003', 'ZSYTBQSN', '注射用头孢曲松钠', '1.0g', '支', 'g', 2, 'qd', 15.80, 1),
    (4, 'XY0004', 'ZSYMLPN', '注射用美罗培南', '0.5g', '支', 'g', 1, 'q8h', 98.00, 2),
    (5, 'XY0005', 'ZSYWGMS', '注射用盐酸万古霉素', '0.5g', '支', 'g', 1, 'q12h', 135.00, 2),
    (6, 'XY0006', 'ZYFSXZSY', '左氧氟沙星氯化钠注射液', '0.5g:100ml', '瓶', 'g', 0.5, 'qd', 22.40, 1),
    (7, 'XY0007', 'AQMSP', '阿奇霉素片', '0.25g*6片', '盒', 'g', 0.5, 'qd', 18.90, 0),
    (8, 'XY0008', 'ZSYYAPNXSTDN', '注射用亚胺培南西司他丁钠', '1.0g', '支', 'g', 1, 'q8h', 168.00, 2),
    (9, 'XY0009', 'LNZAZSY', '利奈唑胺注射液', '600mg:300ml', '袋', 'mg', 600, 'q12h', 380.00, 2),
    (10, 'XY0010', 'ZSYFLKZ', '注射用伏立康唑', '200mg', '支', 'mg', 200, 'q12h', 450.00, 2),
    (11, 'XY0011', 'YSMFZSY', '盐酸吗啡注射液', '10mg:1ml', '支', 'mg', 10, 'prn', 4.50, 2),
    (12, 'XY0012', 'FTNTPTJ', '芬太尼透皮贴剂', '4.2mg', '贴', '贴', 1, 'q72h', 68.00, 2),
    (13, 'XY0013', 'ZSYAMLZN', '注射用奥美拉唑钠', '40mg', '支', 'mg', 40, 'qd', 32.00, 0),
    (14, 'XY0014', 'RXBDB', '人血白蛋白', '10g:50ml', '瓶', 'g', 10, 'qd', 398.00, 2),
    (15, 'XY0015', 'JZRMYQDB', '静注人免疫球蛋白(pH4)', '2.5g:50ml', '瓶', 'g', 10, 'qd', 720.00, 2),
    (16, 'XY0016', 'ATFTTGP', '阿托伐他汀钙片', '20mg*7片', '盒', 'mg', 20, 'qn', 35.20, 0),
    (17, 'XY0017', 'LSQLBGLP', '硫酸氢氯吡格雷片', '75mg*7片', '盒', 'mg', 75, 'qd', 118.00, 0),
    (18, 'XY0018', 'ASPLCRP', '阿司匹林肠溶片', '100mg*30片', '盒', 'mg', 100, 'qd', 15.50, 0),
    (19, 'XY0019', 'BHSALDPP', '苯磺酸氨氯地平片', '5mg*7片', '盒', 'mg', 5, 'qd', 22.00, 0),
    (20, 'XY0020', 'YSEJSGP', '盐酸二甲双胍片', '0.5g*20片', '盒', 'g', 0.5, 'tid', 9.80, 0),
    (21, 'XY0021', 'SWYDSZSY', '生物合成人胰岛素注射液', '400IU:10ml', '支', 'IU', 8, 'tid', 58.00, 0),
    (22, 'XY0022', 'DFZGSGZSY', '低分子肝素钙注射液', '4100IU:0.4ml', '支', 'IU', 4100, 'q12h', 36.00, 0),
    (23, 'XY0023', 'LHNZSY', '氯化钠注射液', '0.9%:250ml', '瓶', 'ml', 250, 'qd', 3.20, 0),
    (24, 'XY0024', 'PTTZSY', '葡萄糖注射液', '5%:250ml', '瓶', 'ml', 250, 'qd', 3.50, 0),
    (25, 'XY0025', 'FFAJSZSY', '复方氨基酸注射液(18AA)', '250ml', '瓶', 'ml', 250, 'qd', 45.00, 1),
    (26, 'XY0026', 'ZFRZSY', '中/长链脂肪乳注射液(C8-24)', '20%:250ml', '瓶', 'ml', 250, 'qd', 88.00, 1),
    (27, 'XY0027', 'ZSYQYZGN', '注射用七叶皂苷钠', '10mg', '支', 'mg', 20, 'qd', 26.00, 1),
    (28, 'XY0028', 'ZSYXNM', '注射用血凝酶', '1U', '支', 'U', 1, 'qd', 42.00, 1),
    (29, 'XY0029', 'BLFHSJN', '布洛芬缓释胶囊', '0.3g*20粒', '盒', 'g', 0.3, 'bid', 16.80, 0),
    (30, 'XY0030', 'YSAXSZSY', '盐酸氨溴索注射液', '15mg:2ml', '支', 'mg', 30, 'bid', 6.80, 0),
    (31, 'XY0031', 'ZSYJPNLHSSN', '注射用甲泼尼龙琥珀酸钠', '40mg', '支', 'mg', 40, 'qd', 28.00, 1),
    (32, 'XY0032', 'DSMSLSNZSY', '地塞米松磷酸钠注射液', '5mg:1ml', '支', 'mg', 5, 'qd', 1.20, 0),
    (33, 'ZC0001', 'LHQWJN', '连花清瘟胶囊', '0.35g*24粒', '盒', '粒', 4, 'tid', 14.80, 0),
    (34, 'ZC0002', 'FFDSDW', '复方丹参滴丸', '27mg*180丸', '瓶', '丸', 10, 'tid', 26.50, 0),
    (35, 'ZC0003', 'ZSYXST', '注射用血塞通(冻干)', '200mg', '支', 'mg', 400, 'qd', 22.00, 1),
    (36, 'ZY0001', 'HQ', '黄芪', '饮片', 'g', 'g', 30, 'bid', 0.12, 0),
    (37, 'ZY0002', 'DG', '当归', '饮片', 'g', 'g', 10, 'bid', 0.15, 0),
    (38, 'ZY0003', 'DS', '党参', '饮片', 'g', 'g', 15, 'bid', 0.20, 0),
    (39, 'ZY0004', 'BZ', '白术', '饮片', 'g', 'g', 12, 'bid', 0.10, 0),
    (40, 'ZY0005', 'FL', '茯苓', '饮片', 'g', 'g', 15, 'bid', 0.08, 0),
    (41, 'ZY0006', 'ZGC', '炙甘草', '饮片', 'g', 'g', 6, 'bid', 0.06, 0);

INSERT INTO BBX1 (BBX01, BBX02, BBX03, BBX05, BBX06, BDA01) VALUES
    (1, '47.0101', 'FQJXLWQCS', '腹腔镜下阑尾切除术', '二级', 'S'),
    (2, '47.0901', 'LWQCS', '阑尾切除术', '二级', 'S'),
    (3, '51.2301', 'FQJXDNQCS', '腹腔镜下胆囊切除术', '三级', 'S'),
    (4, '53.0201', 'FGGXSXBS', '腹股沟斜疝修补术', '二级', 'S'),
    (5, '53.0401', 'FQJXFGGSXBS', '腹腔镜下腹股沟疝修补术', '三级', 'S'),
    (6, '45.7301', 'YBJCQCS', '右半结肠切除术', '四级', 'S'),
    (7, '48.6301', 'ZCQQCS', '直肠前切除术(Dixon术)', '四级', 'S'),
    (8, '43.7x01', 'WDBQCBWKCWHS', '胃大部切除伴胃空肠吻合术', '四级', 'S'),
    (9, '06.3901', 'JZXBFQCS', '甲状腺部分切除术', '三级', 'S'),
    (10, '85.2101', 'RXZWQCS', '乳腺肿物切除术', '二级', 'S'),
    (11, '79.3501', 'GGGZQKFWNGDS', '股骨骨折切开复位内固定术', '三级', 'S'),
    (12, '81.5101', 'QKGJZHS', '全髋关节置换术', '四级', 'S'),
    (13, '81.5401', 'QXGJZHS', '全膝关节置换术', '四级', 'S'),
    (14, '80.6x01', 'XGJJXBYBQCS', '膝关节镜下半月板切除术', '三级', 'S'),
    (15, '81.0801', 'YZHLZJRHS', '腰椎后路椎间融合术', '四级', 'S'),
    (16, '79.3201', 'RGGZQKFWNGDS', '桡骨骨折切开复位内固定术', '二级', 'S'),
    (17, '01.2401', 'KLXZQCS', '开颅血肿清除术', '四级', 'S'),
    (18, '01.5901', 'LNZLQCS', '颅内肿瘤切除术', '四级', 'S'),
    (19, '60.2901', 'JNDQLXDQS', '经尿道前列腺电切术', '三级', 'S'),
    (20, '55.5101', 'FQJXSQCS', '腹腔镜下肾切除术', '四级', 'S'),
    (21, '74.1x01', 'ZGXDPGCS', '子宫下段剖宫产术', '二级', 'S'),
    (22, '68.4101', 'FQJXQZGQCS', '腹腔镜下全子宫切除术', '四级', 'S'),
    (23, '65.2501', 'FQJXLCNZBCS', '腹腔镜下卵巢囊肿剥除术', '三级', 'S'),
    (24, '86.2201', 'QCS', '清创术', '一级', 'S'),
    (25, '86.0401', 'TBNZQKYLS', '体表脓肿切开引流术', '一级', 'S'),
    (26, '54.1101', 'PFTCS', '剖腹探查术', '三级', 'S'),
    (27, '38.5901', 'DYJMGWJZBTS', '大隐静脉高位结扎剥脱术', '二级', 'S'),
    (28, '49.4601', 'ZQCS', '痔切除术', '二级', 'S'),
    (29, '36.0601', 'GZDMZJZRS', '冠状动脉支架置入术', '四级', 'S'),
    (30, '34.0401', 'XQBSYLS', '胸腔闭式引流术', '一级', 'S'),
    (31, 'MZ.0001', 'QSMZ', '全身麻醉(气管插管)', NULL, 'S'),
    (32, 'MZ.0002', 'ZGNMZ', '椎管内麻醉', NULL, 'S'),
    (33, 'MZ.0003', 'SJZZMZ', '神经阻滞麻醉', NULL, 'S'),
    (34, 'MZ.0004', 'JBJRMZ', '局部浸润麻醉', NULL, 'S'),
    (35, '54.5901', 'CZLSJS', '肠粘连松解术', '三级', 'S'),
    (36, '40.2301', 'QSLBJHJS', '前哨淋巴结活检术', '二级', 'S');

INSERT INTO ACE1 (ACE01, ACE02, ACE03, ACE04) VALUES
    ('01', '主刀医师', 1, 1),
    ('02', '手术助手', 0, 2),
    ('021', '第一助手', 0, 3),
    ('022', '第二助手', 0, 4),
    ('023', '第三助手', 0, 5),
    ('024', '第四助手', 0, 6),
    ('A2', '麻醉医师', 1, 7),
    ('B2', '器械护士', 1, 8),
    ('C2', '巡回护士', 1, 9),
    ('03', '手术等级', 0, 10),
    ('04', '切口等级', 0, 11),
    ('05', '麻醉方式', 0, 12),
    ('06', '手术体位', 0, 13),
    ('07', '预计手术时长', 0, 14),
    ('08', '术前诊断', 0, 15),
    ('09', '备血情况', 0, 16);

-- Operation applications: pending (VAF10 = 1) and approved (2), mostly of
-- the general surgery ward. Application 6 is the director's own; 10 was
-- approved by the medical affairs office rather than the ward's director.
INSERT INTO VAF1 (VAF01, VAA01, VAF04, VAF06, BDA01, BBX01, VAF10, VAF14, VAF23, VAF35, BCK01B, BCK01C, BCE01A) VALUES
    (1, 1, 2, 1, 'S', 1, 1, datetime('now', 'localtime', 'start of day', '+9 hours', '+30 minutes'), '转移性右下腹痛12小时，急诊手术', 1, 32, 11, 1002),
    (2, 2, 2, 2, 'S', 3, 1, datetime('now', 'localtime', 'start of day', '-1 days', '+10 hours', '+15 minutes'), '术前禁食8小时，备皮', 0, 32, 11, 1003),
    (3, 3, 2, 3, 'S', 4, 1, datetime('now', 'localtime', 'start of day', '-2 days', '+14 hours', '+20 minutes'), NULL, 0, 32, 11, 1002),
    (4, 4, 2, 4, 'S', 6, 1, datetime('now', 'localtime', 'start of day', '-1 days', '+16 hours', '+40 minutes'), '术前肠道准备，备血400ml', 0, 32, 11, 1002),
    (5, 5, 2, 5, 'S', 9, 1, datetime('now', 'localtime', 'start of day', '-6 days', '+11 hours'), '术中快速冰冻病理', 0, 32, 11, 1003),
    (6, 6, 2, 6, 'S', 8, 1, datetime('now', 'localtime', 'start of day', '+8 hours', '+10 minutes'), '胃镜病理：胃窦腺癌', 0, 32, 11, 1001),
    (7, 7, 2, 7, 'S', 10, 2, datetime('now', 'localtime', 'start of day', '-4 days', '+9 hours'), NULL, 0, 32, 11, 1002),
    (8, 8, 2, 8, 'S', 28, 2, datetime('now', 'localtime', 'start of day', '-3 days', '+15 hours', '+30 minutes'), NULL, 0, 32, 11, 1003),
    (9, 9, 2, 9, 'S', 27, 2, datetime('now', 'localtime', 'start of day', '-2 days', '+10 hours'), '左下肢', 0, 32, 11, 1002),
    (10, 10, 2, 10, 'S', 26, 2, datetime('now', 'localtime', 'start of day', '-1 days', '+21 hours', '+30 minutes'), '腹部闭合性损伤，急诊', 1, 32, 11, 1003),
    (11, 13, 2, 13, 'S', 11, 1, datetime('now', 'localtime', 'start of day', '-1 days', '+11 hours', '+20 minutes'), '左股骨颈骨折', 0, 32, 12, 1005),
    (12, 14, 2, 14, 'S', 12, 1, datetime('now', 'localtime', 'start of day', '-2 days', '+9 hours', '+40 minutes'), '右髋', 0, 32, 12, 1006),
    (13, 15, 2, 15, 'S', 14, 2, datetime('now', 'localtime', 'start of day', '-6 days', '+14 hours'), NULL, 0, 32, 12, 1005),
    (14, 16, 2, 16, 'S', 15, 1, datetime('now', 'localtime', 'start of day', '+7 hours', '+50 minutes'), 'L4-5椎间盘突出', 1, 32, 12, 1006),
    (15, 21, 2, 21, 'S', 17, 1, datetime('now', 'localtime', 'start of day', '+2 hours', '+15 minutes'), '急诊，GCS 9分', 1, 32, 13, 1022),
    (16, 25, 2, 25, 'S', 21, 1, datetime('now', 'localtime', 'start of day', '-1 days', '+13 hours'), '孕39周，瘢痕子宫', 0, 32, 15, 1023);

-- Anaesthesia of every application, and two additional operations.
INSERT INTO VAF1 (VAF01, VAF01A, VAA01, VAF04, VAF06, BDA01, BBX01, VAF10, VAF14, BCK01B, BCK01C, BCE01A)
SELECT 100 + a.VAF01, a.VAF01, a.VAA01, a.VAF04, a.VAF06, 'S',
       CASE WHEN a.VAF01 IN (3, 8, 9, 12, 16) THEN 32 ELSE 31 END,
       a.VAF10, a.VAF14, 31, a.BCK01C, a.BCE01A
FROM VAF1 a WHERE a.VAF01A IS NULL;
INSERT INTO VAF1 (VAF01, VAF01A, VAA01, VAF04, VAF06, BDA01, BBX01, VAF10, VAF14, BCK01B, BCK01C, BCE01A)
SELECT 100 + x.n, a.VAF01, a.VAA01, a.VAF04, a.VAF06, 'S', x.op, a.VAF10, a.VAF14, 32, a.BCK01C, a.BCE01A
FROM (SELECT 4 AS app, 35 AS op, 17 AS n UNION ALL SELECT 7, 36, 18) x
JOIN VAF1 a ON a.VAF01 = x.app;
UPDATE VAF1 SET VAF22 = (SELECT BBX05 FROM BBX1 WHERE BBX1.BBX01 = VAF1.BBX01) WHERE BDA01 = 'S';

CREATE TEMP TABLE demo_approval (VAF01 INT, BCE01 INT, approved TEXT);
INSERT INTO demo_approval VALUES
    (7, 1001, datetime('now', 'localtime', 'start of day', '-3 days', '+10 hours')),
    (8, 1001, datetime('now', 'localtime', 'start of day', '-2 days', '+9 hours', '+20 minutes')),
    (9, 1001, datetime('now', 'localtime', 'start of day', '-1 days', '+8 hours', '+45 minutes')),
    (10, 1021, datetime('now', 'localtime', 'start of day', '+40 minutes')),
    (13, 1004, datetime('now', 'localtime', 'start of day', '-5 days', '+16 hours'));
INSERT INTO VEI1 (VAF01, BCE01, BCE03, VEI04)
SELECT d.VAF01, d.BCE01, e.BCE03, d.approved FROM demo_approval d JOIN BCE1 e ON e.BCE01 = d.BCE01;

-- Items of every application: the team, anaesthetist and nurses, grade,
-- anaesthesia and diagnosis. Approved applications number their assistants.
CREATE TEMP TABLE demo_diagnosis (VAF01 INT, text TEXT);
INSERT INTO demo_diagnosis VALUES
    (1, '急性化脓性阑尾炎'), (2, '胆囊结石伴慢性胆囊炎'), (3, '右侧腹股沟斜疝'),
    (4, '升结肠恶性肿瘤'), (5, '甲状腺结节'), (6, '胃窦恶性肿瘤'), (7, '左乳腺纤维腺瘤'),
    (8, '混合痔'), (9, '左下肢大隐静脉曲张'), (10, '腹部闭合性损伤'), (11, '左股骨颈骨折'),
    (12, '右股骨头坏死'), (13, '右膝内侧半月板损伤'), (14, '腰椎间盘突出症'),
    (15, '急性硬膜下血肿'), (16, '瘢痕子宫妊娠');
CREATE TEMP TABLE demo_item (VAF01 INT, VEJ02 INT, ACE01 TEXT, BCE01 INT, BCE03 TEXT);
INSERT INTO demo_item
SELECT a.VAF01, 1, '01', t.director, NULL FROM VAF1 a JOIN demo_team t ON t.dept = a.BCK01C WHERE a.VAF01A IS NULL AND a.BDA01 = 'S'
UNION ALL
SELECT a.VAF01, 2, CASE a.VAF10 WHEN 2 THEN '021' ELSE '02' END, t.doctor, NULL FROM VAF1 a JOIN demo_team t ON t.dept = a.BCK01C WHERE a.VAF01A IS NULL AND a.BDA01 = 'S'
UNION ALL
SELECT a.VAF01, 3, CASE a.VAF10 WHEN 2 THEN '022' ELSE '02' END, t.resident, NULL FROM VAF1 a JOIN demo_team t ON t.dept = a.BCK01C WHERE a.VAF01A IS NULL AND a.BDA01 = 'S' AND t.resident IS NOT NULL
UNION ALL
SELECT a.VAF01, 4, 'A2', CASE a.VAF01 % 2 WHEN 1 THEN 1014 ELSE 1015 END, NULL FROM VAF1 a WHERE a.VAF01A IS NULL AND a.BDA01 = 'S'
UNION ALL
SELECT a.VAF01, 5, 'B2', 1016, NULL FROM VAF1 a WHERE a.VAF01A IS NULL AND a.BDA01 = 'S'
UNION ALL
SELECT a.VAF01, 6, 'C2', 1017, NULL FROM VAF1 a WHERE a.VAF01A IS NULL AND a.BDA01 = 'S'
UNION ALL
SELECT a.VAF01, 7, '03', 0, b.BBX06 FROM VAF1 a JOIN BBX1 b ON b.BBX01 = a.BBX01 WHERE a.VAF01A IS NULL AND a.BDA01 = 'S'
UNION ALL
SELECT a.VAF01, 8, '05', 0, b.BBX05 FROM VAF1 a JOIN VAF1 m ON m.VAF01A = a.VAF01 AND m.BCK01B = 31 JOIN BBX1 b ON b.BBX01 = m.BBX01
UNION ALL
SELECT d.VAF01, 9, '08', 0, d.text FROM demo_diagnosis d;
INSERT INTO VEJ1 (VAF01, VEJ02, ACE01, BCE01, BCE02, BCE03)
SELECT i.VAF01, i.VEJ02, i.ACE01, i.BCE01,
       CASE WHEN i.BCE01 > 0 THEN e.BCE02 ELSE c.ACE02 END,
       CASE WHEN i.BCE01 > 0 THEN e.BCE03 ELSE i.BCE03 END
FROM demo_item i JOIN ACE1 c ON c.ACE01 = i.ACE01 LEFT JOIN BCE1 e ON e.BCE01 = i.BCE01
ORDER BY i.VAF01, i.VEJ02;
UPDATE VAF1 SET BCE03A = (SELECT BCE03 FROM BCE1 WHERE BCE1.BCE01 = VAF1.BCE01A);

-- Medication applications for restricted drugs by the doctors in charge;
-- every third one approved by the ward's director.
INSERT INTO VDZ1 (ACF01, VAA01, VAA07, BBY01, VDZ08, VDZ09, VDZ16, VDZ17, VDZ18, VDZ19, VDZ20, BCE01, BCE03)
SELECT v.ACF01, v.VAA01, v.VAA07, y.BBY01,
       min(datetime('now', 'localtime'),
           datetime('now', 'localtime', 'start of day', printf('-%d days', v.VAA07 % 4), printf('+%d hours', 8 + v.VAA07 % 8))),
       3 + v.VAA07 % 5,
       CASE v.VAA07 % 4 WHEN 0 THEN '痰培养提示耐药菌，经验性治疗效果不佳'
                        WHEN 1 THEN '术后重症感染，请审批'
                        WHEN 2 THEN '低蛋白血症，白蛋白25g/L'
                        ELSE NULL END,
       0, y.BBY10, y.BBY09, y.BBY10, v.BCE01, e.BCE03
FROM VAC1 v
JOIN BBY1 y ON y.BBY01 = CASE v.VAA07 % 10 WHEN 0 THEN 4 WHEN 1 THEN 5 WHEN 2 THEN 8 WHEN 3 THEN 9
                                           WHEN 4 THEN 10 WHEN 5 THEN 14 WHEN 6 THEN 15 WHEN 7 THEN 11
                                           WHEN 8 THEN 12 ELSE 3 END
JOIN BCE1 e ON e.BCE01 = v.BCE01
WHERE v.ACF01 = 2 AND v.VAA07 % 5 <> 4
ORDER BY v.VAA07;
UPDATE VDZ1 SET VDZ17 = 1,
    BCE01A = (SELECT t.director FROM VAC1 v JOIN demo_team t ON t.dept = v.BCK01 WHERE v.VAA07 = VDZ1.VAA07),
    VDZ12 = datetime(VDZ08, '+2 hours'), VDZ13 = datetime(VDZ08, '+2 hours', printf('+%d days', VDZ09)),
    VDZ14 = VDZ09, VDZ15 = datetime(VDZ08, '+2 hours')
WHERE VAA07 % 3 = 0;
-- The surgery director's own applications: one pending, one approved by the
-- medical affairs office.
INSERT INTO VDZ1 (ACF01, VAA01, VAA07, BBY01, VDZ08, VDZ09, VDZ12, VDZ13, VDZ14, VDZ15, VDZ16, VDZ17, VDZ18, VDZ19, VDZ20, BCE01, BCE03, BCE01A)
VALUES
    (2, 2, 2, 14, datetime('now', 'localtime', 'start of day', '+8 hours', '+20 minutes'), 3, NULL, NULL, NULL, NULL, '术后低蛋白血症', 0, 10, 'g', 10, 1001, '张伟', NULL),
    (2, 11, 11, 4, datetime('now', 'localtime', 'start of day', '-2 days', '+9 hours'), 5,
     datetime('now', 'localtime', 'start of day', '-2 days', '+11 hours'), datetime('now', 'localtime', 'start of day', '+3 days', '+11 hours'), 5,
     datetime('now', 'localtime', 'start of day', '-2 days', '+11 hours'), '腹腔感染，多重耐药', 1, 1, 'g', 1, 1001, '张伟', 1021);
UPDATE VDZ1 SET BCE03A = (SELECT BCE03 FROM BCE1 WHERE BCE1.BCE01 = VDZ1.BCE01A) WHERE BCE01A IS NOT NULL;

-- One prescription per visit; the kind follows the visit id.
INSERT INTO CBM1 (CBM01, VAA01, VAA07, ACF01, CBM06, CBM07, BCE01, BCE03, BCK01)
SELECT 100 + v.VAA07, v.VAA01, v.VAA07, v.ACF01, v.VAA07 % 3,
       min(datetime('now', 'localtime', '-1 hours'),
           datetime('now', 'localtime', 'start of day', printf('-%d days', v.VAA07 % 6), '+8 hours', printf('+%d minutes', (v.VAA07 * 37) % 600))),
       v.BCE01, e.BCE03, v.BCK01
FROM VAC1 v JOIN BCE1 e ON e.BCE01 = v.BCE01 ORDER BY v.VAA07;

-- Lines: three western drugs, two patent medicines, or six herbs.
CREATE TEMP TABLE demo_western (i INTEGER PRIMARY KEY, BBY01 INT);
INSERT INTO demo_western (i, BBY01) VALUES
    (0, 1), (1, 2), (2, 3), (3, 6), (4, 7), (5, 13), (6, 16), (7, 17), (8, 18), (9, 19),
    (10, 20), (11, 21), (12, 22), (13, 23), (14, 24), (15, 29), (16, 30), (17, 31), (18, 32);
CREATE TEMP TABLE demo_line (CBM01 INT, slot INT, BBY01 INT);
INSERT INTO demo_line
SELECT c.CBM01, s.slot, w.BBY01
FROM CBM1 c JOIN (SELECT 0 AS slot UNION ALL SELECT 1 UNION ALL SELECT 2) s
JOIN demo_western w ON w.i = (c.VAA07 * 3 + s.slot * 5) % 19
WHERE c.CBM06 = 0
UNION ALL
SELECT c.CBM01, s.slot, CASE s.slot WHEN 0 THEN CASE c.VAA07 % 2 WHEN 0 THEN 33 ELSE 35 END ELSE 34 END
FROM CBM1 c JOIN (SELECT 0 AS slot UNION ALL SELECT 1) s
WHERE c.CBM06 = 1
UNION ALL
SELECT c.CBM01, y.BBY01 - 36, y.BBY01 FROM CBM1 c JOIN BBY1 y ON y.BBY01 BETWEEN 36 AND 41
WHERE c.CBM06 = 2;
INSERT INTO VAF1 (CBM01, VAA01, VAF04, VAF06, BDA01, BBY01, VAF14, VAF18, BDG02, VAF21, BDG02A, VAF22,
                  VAF23, VAF26, VAF30, VAF58, VAF59, VAF60, BCK01B, BCK01C, BCE01A, BCE03A)
SELECT c.CBM01, c.VAA01, c.ACF01, c.VAA07, CASE c.CBM06 WHEN 0 THEN '1' WHEN 1 THEN '2' ELSE '3' END,
       y.BBY01, c.CBM07, y.BBY10, y.BBY09,
       CASE c.CBM06 WHEN 2 THEN y.BBY10 * 7 ELSE 1 + (c.VAA07 + l.slot) % 2 END, y.BBY08,
       y.BBY05 || ' ' || y.BBY06,
       CASE WHEN c.CBM06 = 2 THEN '水煎服，每日一剂，分两次温服'
            WHEN y.BBY08 IN ('盒') THEN '饭后服用' END,
       y.BBY11,
       CASE y.BBY11 WHEN 'qd' THEN '08:00' WHEN 'bid' THEN '08:00,16:00'
                    WHEN 'tid' THEN '08:00,12:00,16:00' WHEN 'q12h' THEN '08:00,20:00'
                    WHEN 'q8h' THEN '08:00,16:00,24:00' WHEN 'qn' THEN '21:00' END,
       1, CASE c.CBM06 WHEN 2 THEN 1 ELSE l.slot + 1 END,
       CASE WHEN y.BBY08 IN ('瓶', '袋') THEN '60滴/分' END,
       41, c.BCK01, c.BCE01, c.BCE03
FROM demo_line l JOIN CBM1 c ON c.CBM01 = l.CBM01 JOIN BBY1 y ON y.BBY01 = l.BBY01
ORDER BY l.CBM01, l.slot;

CREATE TEMP TABLE demo_dx (dept INT, ord INT, icd TEXT, name TEXT);
INSERT INTO demo_dx VALUES
    (11, 1, 'K35.800', '急性阑尾炎'), (11, 2, 'K80.100', '胆囊结石伴慢性胆囊炎'),
    (12, 1, 'S72.000', '股骨颈骨折'), (12, 2, 'M17.900', '膝关节骨关节炎'),
    (13, 1, 'S06.500', '创伤性硬膜下血肿'), (15, 1, 'O34.201', '瘢痕子宫妊娠'),
    (21, 1, 'I25.103', '冠状动脉粥样硬化性心脏病'), (21, 2, 'I10.x05', '原发性高血压3级（极高危）'),
    (22, 1, 'J18.900', '社区获得性肺炎'), (22, 2, 'J44.100', '慢性阻塞性肺疾病急性加重'),
    (23, 1, 'K29.500', '慢性胃炎'), (23, 2, 'K25.900', '胃溃疡');
INSERT INTO VAO1 (CBM01, VAA07, VAO12, VAO15, VAO16)
SELECT c.CBM01, c.VAA07, d.icd, d.name, d.ord
FROM CBM1 c JOIN demo_dx d ON d.dept = c.BCK01 AND (d.ord = 1 OR c.CBM01 % 2 = 0)
UNION ALL
SELECT c.CBM01, c.VAA07, NULL, '气血两虚证', 3 FROM CBM1 c WHERE c.CBM06 = 2
ORDER BY 1, 5;

INSERT INTO BLK1 (BLK01, BLK02, BLK03, BLK04, BLK05) VALUES
    (1, 'WT01', 'SYZBSY', '适应证不适宜', '用药不适宜'),
    (2, 'WT02', 'LXDYPBSY', '遴选的药品不适宜', '用药不适宜'),
    (3, 'WT03', 'YPJXHGYTJBSY', '药品剂型或给药途径不适宜', '用药不适宜'),
    (4, 'WT04', 'YFYLBSY', '用法、用量不适宜', '用药不适宜'),
    (5, 'WT05', 'LHYYBSY', '联合用药不适宜', '用药不适宜'),
    (6, 'WT06', 'CFGY', '重复给药', '用药不适宜'),
    (7, 'WT07', 'YPWJJHBLXHZY', '有配伍禁忌或者不良相互作用', '用药不适宜'),
    (8, 'WT08', 'WSYZYY', '无适应证用药', '超常处方'),
    (9, 'WT09', 'CSMSYYWBA', '超说明书用药未备案', '超常处方'),
    (10, 'WT10', 'KJYWYJSY', '抗菌药物越级使用', '超常处方'),
    (11, 'WT11', 'CFYPCGWZ', '处方药品超过5种', '不规范处方'),
    (12, 'WT12', 'ZDSXBGF', '诊断书写不规范', '不规范处方'),
    (13, 'WT13', 'WZMPSJG', '未注明皮试结果', '不规范处方'),
    (14, 'WT14', 'TSGLYPCFBGF', '特殊管理药品处方不规范', '不规范处方'),
    (15, 'WT15', 'YYLCGC', '用药疗程过长', '用药不适宜');

-- Audit records: half pending; the rest approved by 郑丽, rejected by 孙涛,
-- or forced through by the doctor after a rejection.
INSERT INTO VFK1 (CBM01, VAA01, VAA07, ACF01, VFK08, VFK12, VFK13, VFK14, VFK15, BCE01A, BCE03A, BCE01B, BCE03B)
SELECT c.CBM01, c.VAA01, c.VAA07, c.ACF01, datetime(c.CBM07, '+5 minutes'), s.status,
       CASE WHEN s.status IN (2, 3) THEN r.BLK04 END,
       CASE WHEN s.status = 3 OR (s.status = 2 AND c.VAA07 % 4 = 0) THEN '患者病情需要，已与患者沟通并签字' END,
       CASE WHEN s.status > 0 THEN datetime(c.CBM07, '+40 minutes') END,
       c.BCE01, c.BCE03,
       CASE s.status WHEN 1 THEN 1011 WHEN 2 THEN 1012 WHEN 3 THEN 1012 END,
       CASE s.status WHEN 1 THEN '郑丽' WHEN 2 THEN '孙涛' WHEN 3 THEN '孙涛' END
FROM CBM1 c
JOIN (SELECT CBM01, CASE VAA07 % 6 WHEN 3 THEN 1 WHEN 4 THEN 2 WHEN 5 THEN 3 ELSE 0 END AS status FROM CBM1) s
  ON s.CBM01 = c.CBM01
JOIN BLK1 r ON r.BLK01 = 1 + c.VAA07 % 15
ORDER BY c.CBM01;

INSERT INTO cv_report_tree (ID, ParentID, Name, ReportCode) VALUES
    (1, NULL, '处方审核', ''),
    (1661, 1, '待审核处方', 'CV.DocMedApply.R.001'),
    (1662, 1, '审核通过处方', 'CV.DocMedApply.R.002'),
    (1663, 1, '审核不通过处方', 'CV.DocMedApply.R.003'),
    (1664, 1, '强行通过处方', 'CV.DocMedApply.R.004'),
    (2, NULL, '综合查询', ''),
    (1665, 2, '按患者查询处方', 'CV.DocMedApply.R.005');

-- Report formats; their templates are reports/<id>.html, written after the data.
INSERT INTO cv_report_formats (id, report_code, name, is_default, template) VALUES
    (1, 'CV.Clinical.YSYZBL.000002', '手术申请单', 1, ''),
    (2, 'CV.Clinical.YSYZBL.000002', '手术申请单（简版）', 0, ''),
    (3, 'CV.DocMedApply001', '处方审核清单', 1, ''),
    (4, 'CV.DocMedApply001', '处方审核清单（含明细）', 0, ''),
    (5, 'CV.Clinical.U.000002', '西药处方', 1, ''),
    (6, 'HIS.S.000024', '中成药处方', 1, ''),
    (7, 'HIS.S.000025', '中草药处方', 1, ''),
    (8, 'TJ999.000001', '用药申请单', 1, '');

-- Commands: 1 medication applications, 2 operation approval, 3 prescription
-- audit. A NULL action grants the command itself.
INSERT INTO cv_grants (employee_id, command, action) VALUES
    (1000, 1, NULL), (1000, 2, NULL), (1000, 3, NULL), (1000, 1, 'Action_Approval'), (1000, 1, 'Action1'),
    (1001, 1, NULL), (1001, 2, NULL), (1001, 3, NULL), (1001, 1, 'Action_Approval'),
    (1004, 1, NULL), (1004, 2, NULL), (1004, 1, 'Action_Approval'),
    (1007, 1, NULL), (1007, 1, 'Action_Approval'),
    (1021, 1, NULL), (1021, 2, NULL), (1021, 1, 'Action_Approval'),
    (1002, 1, NULL), (1003, 1, NULL), (1005, 1, NULL), (1006, 1, NULL), (1008, 1, NULL),
    (1022, 1, NULL), (1023, 1, NULL),
    (1011, 3, NULL), (1012, 3, NULL), (1013, 3, NULL),
    -- Who may design report formats (the user check of the print program).
    (1000, 0, 'Cv.Print.Design'), (1001, 0, 'Cv.Print.Design'), (1004, 0, 'Cv.Print.Design'),
    (1011, 0, 'Cv.Print.Design'), (1021, 0, 'Cv.Print.Design');

INSERT INTO cv_settings (name, value) VALUES
    ('.TimeOut', '30'),
    ('.Programs CV.DoctorMedicationApply;1', '0;1101'),
    ('.Programs CV.DoctorMedicationApply;2', '0;1102'),
    ('.Programs CV.DoctorMedicationApply;3', '0;1103'),
    ('HospitalName', '示范市第一人民医院');

DROP TABLE temp.demo_team;
DROP TABLE temp.demo_approval;
DROP TABLE temp.demo_diagnosis;
DROP TABLE temp.demo_item;
DROP TABLE temp.demo_western;
DROP TABLE temp.demo_line;
DROP TABLE temp.demo_dx;

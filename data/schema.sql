-- Structure of the template registration database djk.sys.
--
-- mkdjk runs this script statement by statement inside one transaction, so it holds no
-- BEGIN/COMMIT and no PRAGMA of its own.
--
-- Rules that every table here follows:
--   * Declared types are only INTEGER, REAL, BOOLEAN, VARCHAR(n) and LONGTEXT. The Qt SQLite
--     driver maps them to int, double, bool and QString, and the field kinds (number, text,
--     long text) are read back from the declared type through PRAGMA table_info.
--   * 登记号 is the first column of every registration table.
--   * Column order matters: exports copy rows by position between a working database and a
--     copy of this template. A later template version only appends columns.
--   * Dates are stored as text (year 年 month 月 day 日), never as a date type.
--   * No foreign keys: detail rows may exist without their header row, and deletes run
--     header first.

-- ------------------------------------------------------------------------------------------
-- 登记: header and review data of a registration of any kind; one row per registration.
-- ------------------------------------------------------------------------------------------
CREATE TABLE 登记 (
    登记号        VARCHAR(13)  NOT NULL PRIMARY KEY,
    填表人        VARCHAR(10),
    填表负责人    VARCHAR(10),
    填表日期      VARCHAR(20),
    填报单位      VARCHAR(50),
    核实意见      VARCHAR(100),
    核实负责人    VARCHAR(10),
    核实单位      VARCHAR(50),
    核实日期      VARCHAR(20),
    初审意见      VARCHAR(100),
    初审负责人    VARCHAR(10),
    初审单位      VARCHAR(50),
    初审日期      VARCHAR(20),
    审定意见      VARCHAR(100),
    审定负责人    VARCHAR(10),
    审定单位      VARCHAR(50),
    审定日期      VARCHAR(20)
);

-- ------------------------------------------------------------------------------------------
-- 压覆: overlay registrations, the kind this system edits.
-- ------------------------------------------------------------------------------------------
CREATE TABLE 压覆 (
    登记号        VARCHAR(13)  NOT NULL PRIMARY KEY,
    建设单位      VARCHAR(50),
    行政区代码    INTEGER,
    通讯地址      VARCHAR(50),
    邮政编码      VARCHAR(6),
    电话号码      VARCHAR(20),
    电子邮箱      VARCHAR(30),
    建设项目名称  VARCHAR(50),
    建设项目类别  VARCHAR(50),
    批准单位      VARCHAR(50),
    批准文号      VARCHAR(50),
    批准日期      VARCHAR(20),
    矿区名称      VARCHAR(50),
    矿区编号      VARCHAR(9),
    所属矿山编号  INTEGER,
    原登记号      VARCHAR(13),
    压覆性质      VARCHAR(10),
    利用现状      VARCHAR(10),
    中心点Y坐标   REAL,
    中心点X坐标   REAL,
    东经起        REAL,
    东经止        REAL,
    北纬起        REAL,
    北纬止        REAL,
    县城名        VARCHAR(22),
    方位          REAL,
    至县直距      REAL,
    矿业权人      VARCHAR(50),
    许可证号      VARCHAR(23),
    矿业权人意见  VARCHAR(100),
    主管部门名称  VARCHAR(50),
    地矿文号      VARCHAR(50),
    文号日期      VARCHAR(20),
    主管部门意见  VARCHAR(100),
    截止日期      VARCHAR(20),
    备注          VARCHAR(255),
    是否录入      REAL
);
CREATE INDEX idx_压覆_行政区代码 ON 压覆 (行政区代码);
-- The order of the mining-area list (矿区编号, mine number with none as 0, 登记号) and
-- the other columns it shows, so that the list is read from the index alone, in its
-- order, instead of sorted.
CREATE INDEX idx_压覆_矿区顺序 ON 压覆 (矿区编号, iif(所属矿山编号 IS NULL,0,所属矿山编号), 登记号,
    所属矿山编号, 矿区名称, 建设项目名称);

-- ------------------------------------------------------------------------------------------
-- 查明: identified registrations (read only in this system); no mine number.
-- ------------------------------------------------------------------------------------------
CREATE TABLE 查明 (
    登记号        VARCHAR(13)  NOT NULL PRIMARY KEY,
    探矿权人      VARCHAR(50),
    行政区代码    INTEGER,
    通讯地址      VARCHAR(50),
    邮政编码      VARCHAR(6),
    电话号码      VARCHAR(20),
    电子邮箱      VARCHAR(30),
    矿区名称      VARCHAR(50),
    矿区编号      VARCHAR(9),
    中心点X坐标   REAL,
    中心点Y坐标   REAL,
    东经起        REAL,
    东经止        REAL,
    北纬起        REAL,
    北纬止        REAL,
    县城名        VARCHAR(22),
    方位          REAL,
    至县直距      REAL,
    许可证号      VARCHAR(23),
    备注          VARCHAR(255),
    是否录入      REAL
);
CREATE INDEX idx_查明_行政区代码 ON 查明 (行政区代码);

-- ------------------------------------------------------------------------------------------
-- 占用: occupied registrations (read only in this system).
-- ------------------------------------------------------------------------------------------
CREATE TABLE 占用 (
    登记号        VARCHAR(13)  NOT NULL PRIMARY KEY,
    采矿权人      VARCHAR(50),
    行政区代码    INTEGER,
    通讯地址      VARCHAR(50),
    邮政编码      VARCHAR(6),
    电话号码      VARCHAR(20),
    电子邮箱      VARCHAR(30),
    矿区名称      VARCHAR(50),
    矿区编号      VARCHAR(9),
    所属矿山编号  INTEGER,
    中心点X坐标   REAL,
    中心点Y坐标   REAL,
    东经起        REAL,
    东经止        REAL,
    北纬起        REAL,
    北纬止        REAL,
    县城名        VARCHAR(22),
    方位          REAL,
    至县直距      REAL,
    备注          VARCHAR(255),
    是否录入      REAL
);
CREATE INDEX idx_占用_行政区代码 ON 占用 (行政区代码);

-- ------------------------------------------------------------------------------------------
-- 停办: suspended registrations; same structure as 占用.
-- ------------------------------------------------------------------------------------------
CREATE TABLE 停办 (
    登记号        VARCHAR(13)  NOT NULL PRIMARY KEY,
    采矿权人      VARCHAR(50),
    行政区代码    INTEGER,
    通讯地址      VARCHAR(50),
    邮政编码      VARCHAR(6),
    电话号码      VARCHAR(20),
    电子邮箱      VARCHAR(30),
    矿区名称      VARCHAR(50),
    矿区编号      VARCHAR(9),
    所属矿山编号  INTEGER,
    中心点X坐标   REAL,
    中心点Y坐标   REAL,
    东经起        REAL,
    东经止        REAL,
    北纬起        REAL,
    北纬止        REAL,
    县城名        VARCHAR(22),
    方位          REAL,
    至县直距      REAL,
    备注          VARCHAR(255),
    是否录入      REAL
);
CREATE INDEX idx_停办_行政区代码 ON 停办 (行政区代码);

-- ------------------------------------------------------------------------------------------
-- 报告: assessment report. 可利用情况码 and 未用原因1码 are kept for databases of older
-- versions, whose rows are appended into a copy of this template by column name.
-- ------------------------------------------------------------------------------------------
CREATE TABLE 报告 (
    登记号        VARCHAR(13)  NOT NULL PRIMARY KEY,
    报告名称      VARCHAR(50),
    勘查单位      VARCHAR(50),
    报告提交日期  VARCHAR(20),
    汇交证书号    VARCHAR(20),
    评审机构      VARCHAR(50),
    评审日期      VARCHAR(20),
    评审文号      VARCHAR(50),
    评审结论      VARCHAR(100),
    评估师        VARCHAR(50),
    备案机关      VARCHAR(50),
    备案日期      VARCHAR(20),
    备案文号      VARCHAR(50),
    可利用情况码  INTEGER,
    未用原因1码   VARCHAR(10)
);

-- ------------------------------------------------------------------------------------------
-- 坐标: mining-right and computed coordinates (coordinate text) with areas and elevations.
-- ------------------------------------------------------------------------------------------
CREATE TABLE 坐标 (
    登记号        VARCHAR(13)  NOT NULL PRIMARY KEY,
    矿权坐标      LONGTEXT,
    矿权面积      REAL,
    矿权最低标高  REAL,
    矿权最高标高  REAL,
    计算坐标      LONGTEXT,
    计算面积      REAL,
    计算最低标高  REAL,
    计算最高标高  REAL
);

-- ------------------------------------------------------------------------------------------
-- 质量: ore-quality components, many rows per registration. The ten columns are moved by
-- position, so their order is fixed. 矿石类型 and 矿石品级 are text here: codes as digits, or
-- free descriptions on average rows (均值标识 = 1). 显示序号 = 100 x row-list row + item.
-- No unique key: equal keys occur legitimately.
-- ------------------------------------------------------------------------------------------
CREATE TABLE 质量 (
    登记号        VARCHAR(13)  NOT NULL,
    矿产代码      INTEGER,
    统计对象      INTEGER,
    矿石类型      VARCHAR(255),
    矿石品级      VARCHAR(255),
    组分名        VARCHAR(50),
    组分值        REAL,
    组分单位      VARCHAR(20),
    均值标识      BOOLEAN DEFAULT 0,
    显示序号      INTEGER
);
CREATE INDEX idx_质量_登记号 ON 质量 (登记号, 显示序号);
CREATE INDEX idx_质量_矿石 ON 质量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级);

-- ------------------------------------------------------------------------------------------
-- 资源储量: reserve figures, many rows per registration. The twenty columns are moved by
-- position, so their order is fixed. 矿石类型 and 矿石品级 are numbers here. A registration's
-- own rows have 扣矿区编号 NULL; deduction rows name the deducted registration in 原登记号.
-- No unique key: equal keys occur legitimately.
-- ------------------------------------------------------------------------------------------
CREATE TABLE 资源储量 (
    登记号          VARCHAR(13)  NOT NULL,
    矿产代码        INTEGER,
    统计对象        INTEGER,
    矿石类型        INTEGER,
    矿石品级        INTEGER,
    储量类型        VARCHAR(4),
    金属量1         REAL,
    矿石量1         REAL,
    基础储量类型    VARCHAR(4),
    金属量2         REAL,
    矿石量2         REAL,
    资源量类型      VARCHAR(4),
    金属量3         REAL,
    矿石量3         REAL,
    矿产组合码      INTEGER,
    矿产组合        VARCHAR(50),
    原登记号        VARCHAR(13),
    显示序号        INTEGER,
    扣矿区编号      VARCHAR(9),
    扣登记分类编号  VARCHAR(4)
);
CREATE INDEX idx_资源储量_登记号 ON 资源储量 (登记号, 显示序号);
CREATE INDEX idx_资源储量_矿石 ON 资源储量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级);
CREATE INDEX idx_资源储量_原登记号 ON 资源储量 (原登记号);

-- ------------------------------------------------------------------------------------------
-- Control tables. 参数表 stays empty in the template (the province code is written when an
-- installation is set up or a file is exported); 数据库参数 gets its one row, the template
-- version, from mkdjk.
-- ------------------------------------------------------------------------------------------
CREATE TABLE 参数表 (
    省代码        INTEGER
);

CREATE TABLE 数据库参数 (
    版本号        VARCHAR(20)
);

-- ------------------------------------------------------------------------------------------
-- Code dictionaries (read only for the program). Codes are numbers throughout.
-- ------------------------------------------------------------------------------------------

-- cb01: general code lists by 表号. 表内码 orders a list; 表内码 0 is the list's heading row.
-- Names are looked up by 代码 alone, so the template keeps 代码 unique over all lists:
-- 代码 = 表号 * 1000 + 表内码.
CREATE TABLE cb01 (
    表号          INTEGER      NOT NULL,
    表内码        INTEGER      NOT NULL,
    代码          INTEGER,
    名称          VARCHAR(100),
    PRIMARY KEY (表号, 表内码)
);
CREATE INDEX idx_cb01_代码 ON cb01 (代码);

-- cb02: ore types per mineral.
CREATE TABLE cb02 (
    矿产代码      INTEGER      NOT NULL,
    矿石类型      INTEGER      NOT NULL,
    矿石类型名称  VARCHAR(50),
    PRIMARY KEY (矿产代码, 矿石类型)
);

-- cb03: ore grades per mineral.
CREATE TABLE cb03 (
    矿产代码      INTEGER      NOT NULL,
    矿石品级      INTEGER      NOT NULL,
    矿石品级名称  VARCHAR(50),
    PRIMARY KEY (矿产代码, 矿石品级)
);

-- cb04: quality items (components) and their units per mineral; read with SELECT DISTINCT.
CREATE TABLE cb04 (
    矿产代码      INTEGER,
    品质          VARCHAR(20),
    品质名        VARCHAR(50),
    品质单位名    VARCHAR(20)
);
CREATE INDEX idx_cb04_矿产代码 ON cb04 (矿产代码);

-- cb05: deposit sizes.
CREATE TABLE cb05 (
    代码          INTEGER,
    名称          VARCHAR(100)
);

-- cb06: minerals and their statistics objects. Mineral and category codes have five digits;
-- 矿产类别 is a cb01 代码. A mineral counted one way has one row with 统计对象 0.
-- 计算单位标识 non-zero: both the metal and the ore amount are kept.
CREATE TABLE cb06 (
    矿产代码      INTEGER      NOT NULL,
    矿产名称      VARCHAR(50),
    矿产类别      INTEGER,
    统计对象      INTEGER      NOT NULL,
    计算对象名称  VARCHAR(50),
    金属量单位    VARCHAR(20),
    矿石量单位    VARCHAR(20),
    计算单位标识  INTEGER,
    PRIMARY KEY (矿产代码, 统计对象)
);
CREATE INDEX idx_cb06_矿产类别 ON cb06 (矿产类别, 矿产代码);

-- cb08: administrative regions (GB/T 2260). A province code ends in 0000, a city code in 00.
CREATE TABLE cb08 (
    DM            INTEGER      NOT NULL PRIMARY KEY,
    MC            VARCHAR(50)
);

-- cb09: utilisation states of a deposit.
CREATE TABLE cb09 (
    代码          INTEGER,
    名称          VARCHAR(100)
);

-- cb13: exploration stages.
CREATE TABLE cb13 (
    代码          INTEGER,
    名称          VARCHAR(100)
);

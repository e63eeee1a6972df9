#pragma once
// Stable control ids of the settings window: its page tables name their controls by them, its
// view creates them under them, and the e2e driver finds them by them. A number field's arrows
// take its id + 1, a radio choice's items +1 .. +n: ids go up in steps that leave room.

namespace tavu::ids {

inline constexpr int kSetupTabs = 1001;

// Page "基本设置".
inline constexpr int kSetupPlanLabel = 1100;
inline constexpr int kSetupPlanList = 1102;
inline constexpr int kSetupPlanHint1 = 1104;
inline constexpr int kSetupApplyPlanNow = 1106;
inline constexpr int kSetupPlanHint2 = 1108;
inline constexpr int kSetupBasicGroup = 1110;
inline constexpr int kSetupEveryLabel = 1112;
inline constexpr int kSetupBreakInterval = 1114;
inline constexpr int kSetupBreakLabel = 1116;
inline constexpr int kSetupBreakMins = 1118;
inline constexpr int kSetupMinutesLabel = 1120;
inline constexpr int kSetupDelayGroup = 1122;
inline constexpr int kSetupMaxMinsLabel = 1124;
inline constexpr int kSetupCanApplyMaxMins = 1126;
inline constexpr int kSetupMaxTimesLabel = 1128;
inline constexpr int kSetupCanApplyMaxTimes = 1130;
inline constexpr int kSetupOnceMaxLabel = 1132;
inline constexpr int kSetupApplyOnceMaxMins = 1134;
inline constexpr int kSetupAddBreakLabel = 1136;
inline constexpr int kSetupAddBreak = 1138;
inline constexpr int kSetupIdleGroup = 1140;
inline constexpr int kSetupFrequencyLabel = 1142;
inline constexpr int kSetupFrequency = 1144;
inline constexpr int kSetupExtWorkLabel = 1146;
inline constexpr int kSetupExtWorkMinsPerIdle = 1148;
inline constexpr int kSetupExtWorkUnit = 1150;
inline constexpr int kSetupIdleResetLabel = 1152;
inline constexpr int kSetupIdleMinsResetCycle = 1154;
inline constexpr int kSetupIdleResetUnit = 1156;
inline constexpr int kSetupTuneGroup = 1158;
inline constexpr int kSetupMoreRest = 1160;
inline constexpr int kSetupMicroAdjust = 1162;
inline constexpr int kSetupMoreWork = 1164;

// Page "休息模式".
inline constexpr int kSetupModeGroup = 1010;      // the radio choice; its items are +1 .. +4
inline constexpr int kSetupModeRadio0 = 1011;     // +1, +2, +3 for the other modes
inline constexpr int kSetupModeGroupBox0 = 1020;  // the group of each mode, +mode
inline constexpr int kSetupRemindAgainFree = 1024;
inline constexpr int kSetupNotShowFree = 1025;
inline constexpr int kSetupRemindAgainPassword = 1026;
inline constexpr int kSetupNotShowPassword = 1027;
inline constexpr int kSetupIntensityLabel = 1028;
inline constexpr int kSetupIntensityBar = 1029;
inline constexpr int kSetupIntensityValue = 1030;
inline constexpr int kSetupDisableKeyboard = 1031;
inline constexpr int kSetupHideCursor = 1032;

// Page "屏保与电源".
inline constexpr int kSetupScrHint1 = 1200;
inline constexpr int kSetupScrHint2 = 1202;
inline constexpr int kSetupEnableSelfSCR = 1204;
inline constexpr int kSetupSCR = 1206;
inline constexpr int kSetupSCRUnit = 1208;
inline constexpr int kSetupSCRNote = 1210;
inline constexpr int kSetupSaverCountLabel = 1212;
inline constexpr int kSetupSaverCount = 1214;
inline constexpr int kSetupSaverLabel = 1216;
inline constexpr int kSetupSaverList = 1218;
inline constexpr int kSetupRandomSCR = 1220;
inline constexpr int kSetupSCRSetup = 1222;
inline constexpr int kSetupSCRPreview = 1224;
inline constexpr int kSetupUseKoPlayer = 1226;
inline constexpr int kSetupAutoRestore = 1228;
inline constexpr int kSetupRestoreAfter = 1230;
inline constexpr int kSetupRestoreUnit = 1232;
inline constexpr int kSetupPowerGroup = 1234;
inline constexpr int kSetupEnableDisplayOff = 1236;
inline constexpr int kSetupDisplayOff = 1238;
inline constexpr int kSetupDisplayOffUnit = 1240;
inline constexpr int kSetupEnableSuspend = 1242;
inline constexpr int kSetupLetSuspend = 1244;
inline constexpr int kSetupSuspendUnit = 1246;
inline constexpr int kSetupStandByOrSleep = 1248;
inline constexpr int kSetupHibernateNote = 1250;
inline constexpr int kSetupPowerSetup = 1252;
inline constexpr int kSetupPowerHelp = 1254;

// Page "定时提醒".
inline constexpr int kSetupRemindOnHour = 1300;
inline constexpr int kSetupRemindOnHalfHour = 1302;
inline constexpr int kSetupRemindOnce1 = 1304;  // the second reminder's controls: +20
inline constexpr int kSetupHourOfRemind1 = 1306;
inline constexpr int kSetupHourUnit1 = 1308;
inline constexpr int kSetupMinOfRemind1 = 1310;
inline constexpr int kSetupMinUnit1 = 1312;
inline constexpr int kSetupContentLabel1 = 1314;
inline constexpr int kSetupContent1 = 1316;
inline constexpr int kSetupReminderOffset = 20;
inline constexpr int kSetupChimeGroup = 1340;  // the quick reminders' group: +20 for each
inline constexpr int kSetupChimeWindowLabel = 1342;
inline constexpr int kSetupChimeWindow = 1344;
inline constexpr int kSetupChimeMainLabel = 1346;
inline constexpr int kSetupChimeMain = 1348;
inline constexpr int kSetupChimeBorderLabel = 1350;
inline constexpr int kSetupChimeBorder = 1352;
inline constexpr int kSetupChimeUseScheme = 1354;
inline constexpr int kSetupChimePreview = 1356;
inline constexpr int kSetupGroupOffset = 20;

// Page "休息主界面".
inline constexpr int kSetupBreakGroup = 1400;
inline constexpr int kSetupInterfaceLabel = 1402;
inline constexpr int kSetupInterface = 1404;
inline constexpr int kSetupRandomInterface = 1406;
inline constexpr int kSetupAnimationLabel = 1408;
inline constexpr int kSetupAnimation = 1410;
inline constexpr int kSetupAnimationSetup = 1412;
inline constexpr int kSetupBreakFont = 1414;
inline constexpr int kSetupPreviewBreak = 1416;
inline constexpr int kSetupShowSlogan = 1418;
inline constexpr int kSetupSlogan = 1420;
inline constexpr int kSetupShowPowerButton = 1422;
inline constexpr int kSetupPowerButtonNote = 1424;
inline constexpr int kSetupToggleB4Break = 1426;
inline constexpr int kSetupShowCurrentMode = 1428;
inline constexpr int kSetupControlGroup = 1430;
inline constexpr int kSetupFadeInSpeedLabel = 1432;
inline constexpr int kSetupFadeInSpeed = 1434;
inline constexpr int kSetupFadeInStepLabel = 1436;
inline constexpr int kSetupFadeInStep = 1438;
inline constexpr int kSetupTransparencyLabel = 1440;
inline constexpr int kSetupTransparency = 1442;
inline constexpr int kSetupUseMoiseEffect = 1444;
inline constexpr int kSetupMoiseLabel = 1446;
inline constexpr int kSetupMoiseStrenth = 1448;

// Page "倒计时提醒界面" (the small window's group: +40) and page "正点报时界面" (+80).
inline constexpr int kSetupHintGroup = 1500;
inline constexpr int kSetupHintPresetLabel = 1502;
inline constexpr int kSetupHintPreset = 1504;
inline constexpr int kSetupHintColorLabel = 1506;
inline constexpr int kSetupHintColor = 1508;
inline constexpr int kSetupHintZoomLabel = 1510;
inline constexpr int kSetupHintZoomRate = 1512;
inline constexpr int kSetupHintZoomPercent = 1514;
inline constexpr int kSetupHintZoomValue = 1516;
inline constexpr int kSetupHintFontLabel = 1518;
inline constexpr int kSetupHintFontAdjust = 1520;
inline constexpr int kSetupHintPreview = 1522;
inline constexpr int kSetupHintPictureLabel = 1524;
inline constexpr int kSetupHintPicture = 1526;
inline constexpr int kSetupHintPictureLoad = 1528;
inline constexpr int kSetupHintBorderLabel = 1530;
inline constexpr int kSetupHintBorder = 1532;
inline constexpr int kSetupSmallOffset = 40;
inline constexpr int kSetupCentreOffset = 80;

// Page "综合/其它".
inline constexpr int kSetupTerminateLabel = 1700;
inline constexpr int kSetupTerminate = 1702;
inline constexpr int kSetupShowDesktopDeco = 1704;
inline constexpr int kSetupDecoList = 1706;
inline constexpr int kSetupDecoPicture = 1708;
inline constexpr int kSetupDecoLoad = 1710;
inline constexpr int kSetupShowSOT = 1712;
inline constexpr int kSetupSotList = 1714;
inline constexpr int kSetupSotPicture = 1716;
inline constexpr int kSetupSotLoad = 1718;
inline constexpr int kSetupHotKeyGroup = 1720;
inline constexpr int kSetupHotKeyActionLabel = 1722;
inline constexpr int kSetupHotKeyAction = 1724;
inline constexpr int kSetupHotKeyLabel = 1726;
inline constexpr int kSetupHotKeyText = 1728;
inline constexpr int kSetupStartUpWithSys = 1730;
inline constexpr int kSetupPopHelpInfo = 1732;
inline constexpr int kSetupIsLaptop = 1734;
inline constexpr int kSetupClose = 1736;

// Page "更多".
inline constexpr int kSetupMonitorGroup = 1800;
inline constexpr int kSetupAllMonitors = 1802;
inline constexpr int kSetupDeferGroup = 1804;
inline constexpr int kSetupDeferPresenting = 1806;
inline constexpr int kSetupDeferCalls = 1808;
inline constexpr int kSetupDeferMaxLabel = 1810;
inline constexpr int kSetupDeferMax = 1812;
inline constexpr int kSetupDeferMaxUnit = 1814;
inline constexpr int kSetupSoundGroup = 1816;
inline constexpr int kSetupSoundCues = 1818;
inline constexpr int kSetupHistoryGroup = 1820;
inline constexpr int kSetupKeepHistory = 1822;
inline constexpr int kSetupKeepDaysLabel = 1824;
inline constexpr int kSetupKeepDays = 1826;
inline constexpr int kSetupKeepDaysUnit = 1828;
inline constexpr int kSetupMoreClose = 1830;

}  // namespace tavu::ids

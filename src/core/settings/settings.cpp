#include "settings/settings.hpp"

namespace tavu {

Settings::Settings()
    : BreakPlanPreSet({"*儿童方案(标准)", "*青少年方案(标准)", "*成人方案(标准)", "*儿童方案(加强)",
                       "*青少年方案(加强)", "*成人方案(加强)"},
                      2),
      FrequencyOfPCOperation({"操作频度较高", "操作频度一般", "操作频度较低"}, 1),
      SelectBreakMode({"自由模式(允许随意延后或中止休息,建议办公用户选用)",
                       "密码模式(有条件允许延后或退出休息,建议大多数个人用户选用)",
                       "干扰模式(允许短时间临时退出休息,建议自觉性欠佳的用户选用)",
                       "强制模式(不允许退出休息,建议自觉性较差的用户选用)"},
                      0),
      SCRSavers({"(无)", "<Internal>"}, 1),
      StandByOrSleep({"待机", "休眠"}, 0),
      ContentOfRemindOnce1List({"在这里输入提醒内容。", "水烧开了！", "我要准时关机！", "会议时间到了！",
                                "我要准时睡觉！"},
                               0),
      ContentOfRemindOnce2List(ContentOfRemindOnce1List),
      ContentOfRemindOnce1(ContentOfRemindOnce1List.Text()),
      ContentOfRemindOnce2(ContentOfRemindOnce1List.Text()),
      SelectRemindHourWindow({"右下角小窗口", "屏幕中央窗口"}, 1),
      SelectRemindOnceWindow(SelectRemindHourWindow),
      BreakInterface({"纯黑(灰度)效果", "纯色淡彩效果", "彩色光栅效果", "百页窗效果", "中心光源效果",
                      "斜方网纹效果", "正方栅格效果", "单源电波效果", "多源电波效果", "肥皂泡泡效果",
                      "射灯效果(左侧)", "射灯效果(右侧)", "射灯效果(顶部)", "射灯效果(底部)"},
                     0),
      SloganList({"休息一下，眼睛会感谢你！", "起来走走，活动一下筋骨吧！", "远眺窗外，让眼睛放松一会儿~",
                  "工作再忙，也别忘了休息！", "身体是革命的本钱，请爱护它！", "累了吧，该歇一歇了~",
                  "喝杯水，伸个懒腰吧！", "眨眨眼睛，转转脖子~", "劳逸结合，效率更高！",
                  "健康第一，休息片刻再出发！"},
                 5),
      Slogan(SloganList.Text()),
      ZoomRate1({"设计尺寸", "自动调节", "自定义..."}, 1),
      ZoomRate2(ZoomRate1),
      ZoomRateRemindCenterWindow(ZoomRate1),
      ActionOnSelectTerminate({"不做什么", "重启程序", "完全退出"}, 0),
      HotKeyAction({"打开记事本 WIN+Z", "启用计算器 WIN+C", "打开WORD WIN+W", "打开EXCEL WIN+X",
                    "启动屏保 WIN+S", "屏保开关 WIN+K", "倩影开关 WIN+V"},
                   2) {}

void Settings::SelectSlogan(int index) {
  SloganList = index;
  if (SloganList >= 0) Slogan = SloganList.Text();
}

void Settings::UpdateMoiseBound() {
  MoiseStrenth.SetBounds(1, 249 - FadeInSpeed);
}

}  // namespace tavu

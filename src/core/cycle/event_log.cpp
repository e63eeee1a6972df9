#include "cycle/event_log.hpp"

namespace tavu {
namespace {

constexpr std::string_view kKindTexts[kEventKindCount] = {
    "程序开始运行",
    "开始新的休息周期",
    "",
    "",
    "申请延长工作时间",
    "空闲补时",
    "空闲超时,休息重新计时",
    "空闲超时,休息重新计时",
    "开始空闲时间",
    "休息前提醒",
    "休息倒计时",
    "计划内强制休息",
    "手动强制休息",
    "自动启动屏幕保护",
    "手动启动屏幕保护",
    "关闭显示器",
    "",
    "外部待机",
    "外部待机,失败",
    "系统自动待机",
    "系统自动待机,失败",
    "手动待机",
    "手动待机,失败",
    "外部休眠",
    "外部休眠,失败",
    "系统休眠",
    "系统休眠,失败",
    "手动休眠",
    "手动休眠,失败",
    "推迟休息",
    "暂停休息提醒",
};

bool Matches(uint8_t kind, uint8_t key) {
  if (key == kEventKeyPower)
    return kind >= kEventOutsideStandBy && kind <= kEventManualHibernateFailed;
  if (key == kEventKeyBreak) return kind == kEventScheduledBreak || kind == kEventManualBreak;
  return kind == key;
}

bool IsStoredKind(uint8_t kind) {
  return kind < kEventKindCount && kind != kEventKeyBreak && kind != kEventDemo &&
         kind != kEventKeyPower;
}

}  // namespace

std::string_view EventKindText(uint8_t kind) {
  return kind < kEventKindCount ? kKindTexts[kind] : std::string_view{};
}

void EventLog::LogEvent(bool new_cycle, bool new_record, uint8_t value, uint8_t kind,
                        bool from_tick, uint16_t idle_mins) {
  if (new_record && !IsStoredKind(kind)) return;
  const uint64_t t = from_tick ? clock_.Tick() : input_.LastInputTick();
  if (new_cycle || cycles_.empty()) cycles_.emplace_back();
  EventCycle& cycle = cycles_.back();
  EventRecord* r = nullptr;
  std::size_t index = cycle.size();
  if (new_record) {
    seq_no_ = kind == kEventProgramStart ? uint16_t{1} : static_cast<uint16_t>(seq_no_ + 1);
    cycle.push_back(EventRecord{seq_no_, kind, t, 0, 0, 0});
    r = &cycle.back();
  } else {
    index = FindLastEvent(cycles_.size() - 1, kind);
    if (index == kNone || cycle[index].EndTick != 0) return;
    seq_no_ = static_cast<uint16_t>(seq_no_ + 1);
    r = &cycle[index];
    r->EndTick = kind == kEventIdle ? r->StartTick + idle_mins * 60'000ull : t;
    r->EndSeqNo = seq_no_;
  }
  if (value != 0) r->Value = value;
  if (sink_) sink_->RecordChanged(cycles_.size() - 1, index, *r, new_record);
}

std::size_t EventLog::FindLastEvent(std::size_t cycle, uint8_t key) const {
  if (cycle >= cycles_.size()) return kNone;
  const EventCycle& records = cycles_[cycle];
  for (std::size_t i = records.size(); i-- > 0;)
    if (Matches(records[i].Kind, key)) return i;
  return kNone;
}

}  // namespace tavu

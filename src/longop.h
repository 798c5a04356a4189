// The long-operation convention, built once: a command that works through a
// document step by step holds a TLongOperation for its run.
//
//  - construction: hourglass cursor; the editing control hidden unless the
//    text is to be seen changing; the command's hint in status panel 2
//    (a style may put the hint first and run pending messages once, so
//    that the hint and the hidden control show before a one-step command);
//  - Step(progress) after every step: the progress text for panel 0, a poll
//    of the Escape key, and, at a steady rate (not after every one of
//    100,000 steps), a run of pending messages so the window repaints;
//  - destruction, in every case (finished, cancelled or failed): default
//    cursor, the control shown, the panels the command wrote cleared.
//
// While the command runs, what the user types or clicks into its document
// (keys, characters, mouse buttons aimed at the control or its window)
// waits: the message runs are kept from handing it over, and it is posted
// again, in its order, when the command ends, so it lands after the
// command's result. Escape is the cancel key and is not replayed.
//
// Work done before a cancel stays; nothing is rolled back.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/textops/textops.h"

namespace tk {
class StatusBar;
}

struct TLongOperationStyle {
  bool hideControl = true;   // hide the control unless showOperations
  std::string hint;          // panel 2 while running
  bool cancellable = true;   // poll Escape after each step
  bool clearPanel0 = true;   // clear panel 0 at the end (panel 2 always)
  bool hintFirst = false;    // the hint before the hourglass and the hiding
  bool pumpAtStart = false;  // one run of pending messages once started
};

class TLongOperation {
 public:
  // `control` gives the editing control's window, asked afresh each time
  // (the control may be replaced by a new window while the command runs);
  // `bar` is the frame's status bar (either may be null in tests);
  // `showOperations` keeps the control visible.
  TLongOperation(std::function<HWND()> control, tk::StatusBar* bar, const TLongOperationStyle& style,
                 bool showOperations);
  ~TLongOperation();
  TLongOperation(const TLongOperation&) = delete;
  TLongOperation& operator=(const TLongOperation&) = delete;

  // After a step: shows `progress` in panel 0 (none when empty) and returns
  // false when the run must stop: Escape was pressed, or the control's
  // window went away while messages ran. Escape and the window are looked
  // at once a millisecond at most: asking the system costs more than a step
  // of the commands (a Replace All of a million hits would spend seconds in
  // it), and no key press is that short.
  bool Step(std::string_view progress = {});
  // The same, as a step callback for the text operations.
  core::StepVerdict operator()(const core::StepReport& report) {
    return Step(report.progress) ? core::StepVerdict::Continue : core::StepVerdict::Cancel;
  }
  bool Cancelled() const { return cancelled_; }

  // Whether an operation is running (a second one is not started then).
  static bool Running();
  // Milliseconds between two runs of pending messages.
  static constexpr DWORD kPumpIntervalMs = 40;

 private:
  void Pump();
  HWND Control();
  // Keeps input meant for the document until the end; true when held.
  bool HoldInput(const MSG& msg);
  void ReplayInput();
  std::function<HWND()> control_;
  tk::StatusBar* bar_;
  TLongOperationStyle style_;
  bool hidden_ = false;
  bool cancelled_ = false;
  std::chrono::steady_clock::time_point lastPump_;
  std::chrono::steady_clock::time_point lastCheck_;
  bool checked_ = false;
  std::string pendingProgress_;
  std::vector<HWND> windows_;  // the control's windows met so far, and their parents
  std::vector<MSG> held_;
  int filter_ = 0;
};

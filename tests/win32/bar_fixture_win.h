#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// What the program would have done that cannot be taken back, one line per call: a
// launch "open <file> | <parameters>", with " bar hidden" when the bar was hidden by then
// and " normal" for a window shown as it is rather than maximized (launches come from
// the command box: no owner window); "privilege on" and
// "privilege off"; "exit <flags>", with " saved" when both of the program's files were
// on disk by then. The test program puts its recorders in place of the real calls before
// any window exists.
extern std::vector<std::string> irreversibleLog;
// What the recorded end-of-session requests answer: TRUE for success.
extern BOOL exitWindowsAnswer;

// A fresh process-wide state for every test: default settings, the built-in key words
// only, no typed lines, no countdown, an empty log, no program files beside the test
// program, which is also the working directory. Tests adjust appSettings, then
// StartBar() takes the program's own start-up steps up to the message loop.
class BarTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  void StartBar();
  BYTE CurrentAlpha();
  // Types the line into the command box and presses Enter, as the keyboard does.
  void EnterLine(const std::string& line);
};

// Runs open(), which shows a modal window; once a window of this class and caption shows
// (a dialog by default), answer runs inside the modal loop and must close it; it, or
// open, may await another window in turn. One that does not show within five seconds
// fails the test, and the windows open in its place are cancelled.
void AnswerDialog(const char* caption, const std::function<void(HWND dialog)>& answer,
                  const std::function<void()>& open, const char* windowClass = "#32770");

// Runs open(), which must bring up no dialog nor message box: one that does is cancelled
// at once, and fails the test.
void ExpectNoDialog(const std::function<void()>& open);

// Runs open(), which brings up a message box of this caption (any, for null); checks that
// its text starts so and answers it with the button.
void AnswerBox(const char* caption, const std::string& textStart, int button, const std::function<void()>& open);
// Clicks a button of the dialog that brings up a message box, and answers it so.
void ClickAnswering(HWND dialog, int id, const char* caption, const std::string& textStart, int button);

// Handles the messages that are waiting and those that arrive within the time given; or
// until done, for at most the time given, and says whether it is.
void PumpMessages(DWORD milliseconds = 50);
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds);

std::string ControlText(HWND dialog, int id);
void Click(HWND dialog, int id);
// The file the program makes and removes at once to learn whether its folder takes files;
// a folder of that name stands in the way as a read-only folder would.
std::string TrialFileName();
bool FileExists(const std::string& name);
std::vector<uint8_t> FileBytes(const std::string& name);
void WriteBytes(const std::string& name, std::string_view bytes);
void WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes);
// Whether the log-on value "pellomar.exe" is there.
bool RunValueExists();

#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// What would have been launched, one line per call: "open <file> | <parameters>". The
// test program puts its recorder in place of the real calls before any window exists.
extern std::vector<std::string> irreversibleLog;

// A fresh process-wide state for every test: default settings, the built-in key words
// only, an empty log, no "config.dat" beside the test program, which is also the working
// directory. Tests adjust appSettings, then
// StartBar() takes the program's own start-up steps up to the message loop.
class BarTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  void StartBar();
  BYTE CurrentAlpha();
};

// Handles the messages that are waiting, then those that arrive within a short while.
void PumpMessages();

std::vector<uint8_t> ReadWholeFile(const char* name);
void WriteWholeFile(const char* name, const std::vector<uint8_t>& bytes);

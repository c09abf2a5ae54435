#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

// A fresh process-wide state for every test: default settings, no "config.dat" beside
// the test program, which is also the working directory. Tests adjust appSettings, then
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

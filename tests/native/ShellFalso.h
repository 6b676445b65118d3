// A recording stand-in for the window system, for the engine's tests.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "Puzzle.h"

struct ShellFalso : PuzzleShell {
  struct Rect {
    int board;
    int32_t x, y, w, h;
  };
  std::vector<Rect> invalidated;
  std::vector<std::pair<int, int>> notifications;  // (board, code)
  std::vector<int> hidden;
  int fitSounds = 0;
  int finishedCalls = 0;
  int magnifierRefreshes = 0;
  int timerStarts = 0, timerKills = 0;
  bool waitCursor = false;
  std::vector<uint32_t> shownTimes;
  std::string boxNames[kBoxCount];

  void InvalidateBoardRect(int board, int32_t x, int32_t y, int32_t w, int32_t h) override {
    invalidated.push_back({board, x, y, w, h});
  }
  void UpdateBoard(int) override {}
  void NotifyBoardParent(int board, int code) override { notifications.emplace_back(board, code); }
  void PlayFitSound() override { ++fitSounds; }
  void PuzzleFinished() override { ++finishedCalls; }
  void HideBox(int box) override { hidden.push_back(box); }
  void ShowTime(uint32_t s, uint32_t, uint32_t, uint32_t) override { shownTimes.push_back(s); }
  void RefreshMagnifier() override { ++magnifierRefreshes; }
  void SetWaitCursor(bool wait) override { waitCursor = wait; }
  void StartClockTimer() override { ++timerStarts; }
  void KillClockTimer() override { ++timerKills; }
  int32_t GetBoxName(int box, char* buffer, int32_t size) override {
    std::string n = boxNames[box].substr(0, size > 0 ? size - 1 : 0);
    if (size > 0) std::memcpy(buffer, n.c_str(), n.size() + 1);
    return static_cast<int32_t>(n.size());
  }
  void SetBoxName(int box, const char* name) override { boxNames[box] = name; }
};

// Installs a fresh fake for one test and takes it away again.
class ConShellFalso {
 public:
  ConShellFalso() { SetPuzzleShell(&shell); }
  ~ConShellFalso() { SetPuzzleShell(nullptr); }
  ShellFalso shell;
};

#pragma once
#include <windows.h>
// After windows.h, which they need.
#include <objbase.h>
#include <shlobj.h>

#include <string>

// The shell's objects on the catalog worker's thread, which alone loads COM's library (the
// bar never does) and initialises it there, apartment-threaded, as the shell's objects
// want; every interface is released on that thread.
struct ShellObjects {
  HMODULE ole;
  HMODULE shell;
  decltype(&CoUninitialize) uninitialize;
  decltype(&CoTaskMemFree) freeTask;
  decltype(&SHGetKnownFolderItem) knownFolderItem;  // Windows 7 on; null before
  IShellLinkW* link;  // one shortcut object, loaded from file after file
  IPersistFile* linkFile;
};

// Null members where the system lacks what they stand for: a shortcut then cannot be read.
ShellObjects OpenShellObjects();
void CloseShellObjects(ShellObjects& objects);

// A shortcut's target, as it keeps it (%VARIABLES% unexpanded), and its arguments; false
// where it is damaged or no shortcut. The shortcut is only read: nothing looks for its
// target, so that a network share that does not answer never holds the scan up.
bool ReadShortcut(const ShellObjects& objects, const std::wstring& path, std::wstring& target,
                  std::wstring& arguments);

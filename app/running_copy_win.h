#pragma once
#include <windows.h>

#include <string>

// One copy of Pellomar runs per data folder: two copies on the same files would each save
// what they read at their start, and the one that ended last would lose the other's
// changes. Copies on different folders run side by side.

// From a copy started on the same files to the bar of the one that runs: come forward.
const UINT WM_BRING_FORWARD = WM_USER + 104;

// How long a start waits for the copy on the same files to show its bar or to end.
const DWORD RUNNING_COPY_WAIT_MILLISECONDS = 10000;

// At start-up, once the data folder is chosen and before anything else is touched: true
// when a copy on the same folder runs already and this copy is to end. That copy has
// been asked to bring its bar forward; where it could not be (other rights, another
// session, no answer within waitMilliseconds) the user has been told why. False when no
// copy runs on the folder, or the one that did has ended meanwhile.
bool HandOverToRunningCopy(DWORD waitMilliseconds);

// The folder's identity on disk, its volume's serial number and its index there: the same
// folder reached through a substituted or mapped drive, its network path, a junction or
// another spelling gives the same identity. Its name stands in only where the system
// cannot open the folder.
std::string FolderIdentity(const std::string& folder);

// The name of the mark that the copy running on the folder of this identity holds.
std::string RunningCopyMutexName(const std::string& identity);

// Marks the bar as the running copy's for the copies that start later (with the mark of
// the folder HandOverToRunningCopy was given), and takes the mark away as the bar starts
// to go, before anything that could make it wait.
void MarkRunningCopy(HWND bar);
void UnmarkRunningCopy(HWND bar);

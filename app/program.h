#pragma once

// The program's title: the application's name and the main window's caption.
inline constexpr const char* kProgramTitle = "Koret Organizer";
inline constexpr const char* kProgramVersion = "0.1";
// The name of the lock that lets only one copy run.
inline constexpr const char* kInstanceLockName = "KORET_MUTEX";

#pragma once
// The file names by which the three programs start one another, in the folder of the running program,
// and the title they share.

namespace ui {

inline constexpr const char* kLauncherProgram = "kesvo";
inline constexpr const char* kBeamProgram = "beam";
inline constexpr const char* kTrussProgram = "truss";

// The family's title: the launcher's and the beam program's window caption and the beam program's name.
inline constexpr const char* kFamilyTitle = "Kesvo - תוכנה לחישוב מבנים";

}  // namespace ui

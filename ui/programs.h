#pragma once
// The file names by which the three programs start one another, in the folder of the running program.

namespace ui {

inline constexpr const char* kLauncherProgram = "kesvo";
inline constexpr const char* kBeamProgram = "beam";
inline constexpr const char* kTrussProgram = "truss";

}  // namespace ui

#pragma once
// The truss walk's aim: trusses that solve, built, supported, loaded and solved by the user's own
// clicks, from a first triangle up to strips of forty and more points, so that the walk's checks and
// its random edits meet solved trusses of every size.

#include <string>

class Form1;

namespace walk {
class Walk;
}

namespace truss_walk {

// A bar the user finished: its line shows and it is not the one waiting for its second end.
bool finishedBar(Form1& f, int j);

// Everything a solve reads, as the bytes of its numbers (it is taken after every event, so it is
// kept cheap). A point no bar reaches carries nothing: the solve deletes it.
std::string trussInputs(Form1& f);

class TrussAim {
 public:
  // The most points the aim builds: two rows of triangles across the canvas as the program opens it.
  static constexpr int kMostPoints = 44;

  // One step toward a solved truss, made of the user's events; false when there is nothing to do (the
  // truss is solved and stays so for a while) or nothing can be reached now.
  bool step(walk::Walk& w);

 private:
  enum class Outcome { kSent, kIdle, kBlocked };
  Outcome next(walk::Walk& w, Form1& f);

  int target_ = 3;          // the points of the strip wanted now
  std::string failed_;      // the inputs of the last solve that did not succeed
  int blocked_ = 0;         // steps in a row that found nothing they could reach
};

}  // namespace truss_walk

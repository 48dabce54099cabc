#pragma once
// The open/save window of the truss program: a drive, folder and file list, and a name box with its
// button for the mode the main window chose (its Save as item aa4 or Open item aa5 carries the check
// mark while the window is open).
//
// Saving writes the model as a truss file. Opening reads and checks the whole file first; only a file that
// holds a truss replaces the open one: the model is cleared through the New menu, the truss is rebuilt
// through the canvas editor's handlers, as if the user had clicked it together, and solved.

#include <string>

#include "truss/workspace/truss_file.h"
#include "ui/control.h"
#include "ui/filelists.h"
#include "ui/form.h"

class Form3 : public ui::Form {
 public:
  Form3();

  ui::DriveListBox Drive1{this, nullptr, "Drive1"};
  ui::DirListBox Dir1{this, nullptr, "Dir1"};
  ui::FileListBox File1{this, nullptr, "File1"};
  // Save mode.
  ui::TextBox Text1{this, nullptr, "Text1"};
  ui::Label Label1{this, nullptr, "Label1"};
  ui::CommandButton Command1{this, nullptr, "Command1"};
  // Open mode.
  ui::TextBox Text2{this, nullptr, "Text2"};
  ui::Label Label2{this, nullptr, "Label2"};
  ui::CommandButton Command2{this, nullptr, "Command2"};

  // Goes between the folder path and the typed name: empty when the folder is the root.
  std::string path_sep = "/";

  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
  void Drive1_Change();
  void Dir1_Change();
  void File1_Click();
  void Command1_Click();  // save
  void Command2_Click();  // open

  // The open truss as a file holds it: every hole among the point slots as a point without bars at
  // (slot, -200), every free direction's load, only bars that have both ends.
  static truss_file::contents from_model();
  // Rebuilds a checked file's truss on the cleared canvas through the editor's handlers.
  static void replay(const truss_file::contents& c);
};

inline ui::FormRef<Form3> Form3Form;

#pragma once
// The tip of the day: one line of TIPOFDAY.TXT at a time, in random or file order, and the switch that
// turns the tips at start-up off.
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/form.h"
#include "ui/picturebox.h"

class frmTip : public ui::Form {
 public:
  frmTip();

  ui::PictureBox Picture1{this, nullptr, "Picture1"};
  ui::Label Label1{this, nullptr, "Label1"};
  ui::Label lblTipText{this, nullptr, "lblTipText"};
  ui::CheckBox Check1{this, nullptr, "Check1"};
  ui::CheckBox chkLoadTipsAtStartup{this, nullptr, "chkLoadTipsAtStartup"};
  ui::CommandButton cmdNextTip{this, nullptr, "cmdNextTip"};
  ui::CommandButton cmdOK{this, nullptr, "cmdOK"};

  void Form_Load() override;
  bool LoadTips(const std::string& name);
  void DisplayCurrentTip();
  void cmdNextTip_Click();
  void cmdOK_Click();

  std::vector<std::string> tip_list;
  long tip_index = 0;

 private:
  void advance_tip();
};

inline ui::FormRef<frmTip> frmTipForm;

inline constexpr const char* kTipsFile = "TIPOFDAY.TXT";
inline constexpr const char* kTipSwitchFile = "TIPOK.txt";

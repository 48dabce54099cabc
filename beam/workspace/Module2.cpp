#include "beam/workspace/Module2.h"

#include <fstream>
#include <string>

#include "beam/workspace/Form20.h"
#include "beam/workspace/frmTip.h"
#include "ui/services.h"

using namespace Module20;

void show_tip_at_start() {
  std::string line;
  std::ifstream in(ui::appFile(kTipSwitchFile), std::ios::binary);
  if (in) std::getline(in, line);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line == "ok") frmTipForm->Show(ui::vbModeless, &*Form20Form);
}

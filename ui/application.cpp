#include "ui/application.h"

#include <QApplication>

#include "ui/font.h"
#include "ui/form.h"
#include "ui/qt_services.h"
#include "ui/views.h"

namespace ui {


int runProgram(int argc, char** argv, const std::string& title, const std::function<Form&()>& makeStartup) {
  Application app(argc, argv);
  app.setFont(hebrewFont());
  app.setQuitOnLastWindowClosed(false);
  QtServices services(title);
  Form& startup = makeStartup();
  startup.Show();
  return startup.loaded() ? app.exec() : 0;
}

}  // namespace ui

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
  Services* previous = setServices(&services);
  Form& startup = makeStartup();
  startup.Show();
  int rc = startup.loaded() ? app.exec() : 0;
  setServices(previous);
  return rc;
}

}  // namespace ui

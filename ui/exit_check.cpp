#include "ui/exit_check.h"

#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ui/font.h"
#include "ui/form.h"
#include "ui/qt_services.h"
#include "ui/views.h"

namespace ui {

namespace {

class ExitCheckServices : public QtServices {
 public:
  using QtServices::QtServices;
  std::vector<std::string> started;
  void showForm(Form& form, bool modal, Form* owner) override {
    if (modal) QTimer::singleShot(0, [&form] { if (form.loaded()) form.Unload(); });
    QtServices::showForm(form, modal, owner);
  }
  bool startProgram(const std::string& path) override {
    started.push_back(path);
    return true;
  }
};

}  // namespace

int exitCheck(int argc, char** argv, const std::string& title, const std::function<Form&()>& makeStartup,
              const std::function<void(Form&)>& close) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Application app(argc, argv);
  app.setFont(hebrewFont());
  app.setQuitOnLastWindowClosed(false);
  int rc = 0;
  {
    ExitCheckServices services(title);
    Form& startup = makeStartup();
    startup.Show();
    if (!startup.loaded()) {
      std::fprintf(stderr, "%s: the start-up window did not stay loaded\n", title.c_str());
      return 1;
    }
    QTimer::singleShot(0, [&] {
      if (close)
        close(startup);
      else if (FormWindow* w = windowOf(startup))
        w->close();
      // Whatever is still loaded now would keep the program running with no way out.
      QTimer::singleShot(0, [&] {
        if (anyFormLoaded()) {
          std::fprintf(stderr, "%s: windows still loaded after closing\n", title.c_str());
          app.exit(1);
        }
      });
    });
    rc = app.exec();
    for (const std::string& s : services.started) std::printf("%s started %s\n", title.c_str(), s.c_str());
  }
  return rc;
}

}  // namespace ui

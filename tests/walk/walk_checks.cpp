// What the walk checks after every event: whatever the program, every window keeps its geometry,
// drawings and shown texts finite, and its file windows stay in the program's folder.
#include <QWidget>
#include <cctype>
#include <cmath>
#include <filesystem>

#include "tests/walk/walk_internal.h"
#include "tests/walk/walker.h"
#include "ui/filelists.h"
#include "ui/grid.h"
#include "ui/picturebox.h"
#include "ui/views.h"

namespace walk {

using detail::shownWindows;

namespace {

bool finite(float v) { return std::isfinite(v); }

}  // namespace

void Walk::message(const std::string& prompt) {
  std::string bad = nonFinite(prompt, false);
  if (!bad.empty()) fail("a message box shows " + bad + ": \"" + prompt + "\"");
}

std::string Walk::nonFinite(const std::string& text, bool typed) {
  for (const char* t : {"#INF", "#IND", "#QNAN", "#SNAN"})
    if (text.find(t) != std::string::npos) return std::string("\"") + t + "\"";
  if (typed || text.find_first_of("nNiI") == std::string::npos) return "";
  std::string low;
  for (char ch : text) low += char(std::tolower((unsigned char)ch));
  for (const char* t : {"nan", "inf"}) {
    for (std::size_t at = low.find(t); at != std::string::npos; at = low.find(t, at + 1)) {
      bool before = at > 0 && std::isalpha((unsigned char)low[at - 1]);
      std::size_t end = at + 3;
      if (low.compare(at, 8, "infinity") == 0) end = at + 8;
      bool after = end < low.size() && std::isalpha((unsigned char)low[end]);
      if (!before && !after) return std::string("\"") + t + "\"";
    }
  }
  return "";
}

// writes files nowhere else, whatever folders it opens.
void Walk::confine() {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path root = fs::weakly_canonical(svc_->folder, ec);
  if (ec || !fs::is_directory(root, ec)) return;
  for (QWidget* win : shownWindows(nullptr))
    for (ui::Control* c : static_cast<ui::FormWindow*>(win)->form().allControls()) {
      ui::Prop<std::string>* path = nullptr;
      if (auto* d = dynamic_cast<ui::DirListBox*>(c)) path = &d->Path;
      if (auto* f = dynamic_cast<ui::FileListBox*>(c)) path = &f->Path;
      if (!path) continue;
      const fs::path rel = fs::weakly_canonical(path->get(), ec).lexically_relative(root);
      if (ec || rel.empty() || *rel.begin() == "..") *path = root.string();
    }
}

void Walk::checkAll(const std::string& what) {
  if (!failure_.empty()) return;
  try {
    confine();
  } catch (const std::exception& x) {
    fail(std::string("taking a file window back to the program's folder met ") + x.what());
    return;
  }
  std::string why = layerCheck();
  if (why.empty()) {
    try {
      why = check_();
    } catch (const std::exception& x) {
      why = std::string("the model check met ") + x.what();
    }
  }
  if (!why.empty()) fail(why);
}

// What every window must keep, whatever the program: geometry, drawings and shown texts all finite.
std::string Walk::layerCheck() {
  for (QWidget* win : shownWindows(nullptr)) {
    ui::Form& form = static_cast<ui::FormWindow*>(win)->form();
    // A caption may carry a file name the user typed ("nan" is a fine name), so only the forms a number
    // takes when it is not finite count there.
    if (std::string bad = nonFinite(form.Caption.get(), true); !bad.empty()) return form.Name() + " caption shows " + bad;
    for (ui::Control* c : form.allControls()) {
      auto where = [&] {
        return form.Name() + "." + c->Name() + (c->Index() >= 0 ? "(" + std::to_string(c->Index()) + ")" : "");
      };
      if (!finite(c->Left) || !finite(c->Top) || !finite(c->Width) || !finite(c->Height))
        return where() + " has a position or size that is not finite";
      if (auto* l = dynamic_cast<ui::LineControl*>(c)) {
        if (!finite(l->X1) || !finite(l->Y1) || !finite(l->X2) || !finite(l->Y2)) return where() + " has an end that is not finite";
        continue;
      }
      if (auto* p = dynamic_cast<ui::PictureBox*>(c)) {
        for (const ui::Segment& s : p->drawn())
          if (!finite(s.x1) || !finite(s.y1) || !finite(s.x2) || !finite(s.y2)) return where() + " drew a line that is not finite";
        continue;
      }
      if (auto* m = dynamic_cast<ui::Menu*>(c); m && !m->Visible.get()) continue;
      if (!dynamic_cast<ui::Menu*>(c) && !c->shownInContainer()) continue;
      // What the user typed, and a text box's text (a file name he gave, say), may hold words such as
      // "nan" of his own; only the forms a number takes when it is not finite count there.
      const bool typed = typedInto_.count(c) != 0 || dynamic_cast<ui::TextBox*>(c) != nullptr;
      // Each text the control shows, checked where it stands (this runs after every event).
      std::string shown;
      auto check = [&](const std::string& text) {
        if (!shown.empty()) return;
        if (std::string bad = nonFinite(text, typed); !bad.empty()) shown = where() + " shows " + bad + ": \"" + text + "\"";
      };
      check(c->ToolTipText.get());
      if (auto* x = dynamic_cast<ui::Label*>(c)) check(x->Caption.get());
      else if (auto* x = dynamic_cast<ui::CommandButton*>(c)) check(x->Caption.get());
      else if (auto* x = dynamic_cast<ui::CheckBox*>(c)) check(x->Caption.get());
      else if (auto* x = dynamic_cast<ui::OptionButton*>(c)) check(x->Caption.get());
      else if (auto* x = dynamic_cast<ui::Frame*>(c)) check(x->Caption.get());
      else if (auto* x = dynamic_cast<ui::Menu*>(c)) check(x->Caption.get());
      else if (auto* x = dynamic_cast<ui::TextBox*>(c)) check(x->Text.get());
      else if (auto* x = dynamic_cast<ui::ComboBox*>(c)) {
        check(x->Text.get());
        for (const std::string& item : x->items()) check(item);
      } else if (auto* x = dynamic_cast<ui::StatusBar*>(c)) {
        for (int i = 1; i <= x->PanelCount(); ++i) check(x->Panels(i).Text.get());
      } else if (auto* x = dynamic_cast<ui::TabControl*>(c)) {
        for (int i = 0; i < x->Tabs(); ++i) check(x->TabCaption(i));
      } else if (auto* g = dynamic_cast<ui::Grid*>(c)) {
        auto seen = gridSeen_.find(g);
        if (seen != gridSeen_.end() && seen->second == g->revision()) continue;
        gridSeen_[g] = g->revision();
        for (int r = 0; r < g->Rows(); ++r)
          for (int k = 0; k < g->Cols(); ++k)
            if (std::string bad = nonFinite(g->TextMatrix(r, k), typed); !bad.empty())
              return where() + " cell (" + std::to_string(r) + ", " + std::to_string(k) + ") shows " + bad + ": \"" +
                     g->TextMatrix(r, k) + "\"";
        continue;
      }
      if (!shown.empty()) return shown;
    }
  }
  return "";
}

}  // namespace walk

#include "platform/forms.h"
#include <QCloseEvent>
namespace platform {
namespace { std::map<std::string, Forms::Factory> &factories() { static std::map<std::string, Forms::Factory> f; return f; } std::map<std::string, Form*> &live() { static std::map<std::string, Form*> l; return l; } }
Form::Form(const char *name, QWidget *parent) : QWidget(parent) { setObjectName(QString::fromUtf8(name)); }
void Form::closeEvent(QCloseEvent *e) { e->accept(); }
void Form::showForm() { show(); }
void Forms::define(const std::string &n, Factory f) { factories()[n] = std::move(f); }
Form &Forms::get(const std::string &n) { auto it = live().find(n); if (it != live().end()) return *it->second; Form *f = factories().at(n)(); live()[n] = f; f->formLoad(); return *f; }
void Forms::unloadAll() { for (auto &[n, f] : live()) delete f; live().clear(); }
std::vector<std::string> Forms::defined() { std::vector<std::string> v; for (auto &[n, f] : factories()) v.push_back(n); return v; }
}

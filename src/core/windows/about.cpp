#include "core/windows/about.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/windows/entry.h"

namespace wagedesk {

QString versionLine(const ProgramVersion &v)
{
    return QStringLiteral("Version %1.%2.%3").arg(v.major).arg(v.minor).arg(v.revision);
}

frmAboutSpcl::frmAboutSpcl() : platform::Form(kName)
{
    setWindowTitle(QStringLiteral("About WageDesk"));
    QFont heavy(QStringLiteral("Arial Black"));
    heavy.setPointSize(14);
    heavy.setBold(true);
    Label1 = named<QLabel>(QStringLiteral("Label1"), QStringLiteral("HALVENOR"));
    lblTitle = named<QLabel>(QStringLiteral("lblTitle"), QString::fromUtf8("WAGEDESK\u00ae"));
    Label1->setFont(heavy);
    heavy.setPointSize(22);
    lblTitle->setFont(heavy);
    lblVersion = named<QLabel>(QStringLiteral("lblVersion"));
    cmdOk = named<QPushButton>(QStringLiteral("cmdOk"), QStringLiteral("OK"));
    // OK is both the default and the cancel button.
    cmdOk->setDefault(true);
    setDefaultButton(cmdOk);
    setCancelButton(cmdOk);
    auto *layout = new QVBoxLayout(this);
    for (QLabel *l : {Label1, lblTitle, lblVersion}) {
        l->setAlignment(Qt::AlignCenter);
        layout->addWidget(l);
    }
    layout->addWidget(cmdOk, 0, Qt::AlignCenter);
    setStyleSheet(
        QStringLiteral("frmAboutSpcl { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                       "stop:0 #dfe8f5, stop:1 #9fb6d6); }"));
    setAttribute(Qt::WA_StyledBackground);
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
}

void frmAboutSpcl::formLoad() { lblVersion->setText(versionLine(kVersion)); }

void frmAboutSpcl::cmdOk_Click() { platform::Forms::unload(kName); }

}  // namespace wagedesk

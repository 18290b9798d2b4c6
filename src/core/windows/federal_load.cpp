#include "core/windows/federal_load.h"

#include <QString>
#include <QStringList>

#include "core/federal.h"
#include "legacy/seqfile.h"
#include "platform/ui.h"

namespace wagedesk {

namespace {

void tellUser(const QStringList &lines)
{
    platform::Ui::message(lines, platform::Buttons::Ok, platform::Icon::Exclamation, platform::Ui::kNoTitle);
}

QString missingText()
{
    return QStringLiteral("The federal table file \"%1\" is missing or cannot be read.")
        .arg(QString::fromLatin1(kFederalFileName));
}

// Without the tables no federal income tax is withheld; say so.
const char *const kConsequence = "No federal tax is withheld until the file can be read.";

}  // namespace

bool LoadFederalTables(ProgramState &state, const std::filesystem::path &programFolder)
{
    const std::optional<std::filesystem::path> file = findFederalFile(programFolder);
    if (!file) {
        tellUser({missingText(), QString::fromLatin1(kConsequence)});
        return false;
    }
    try {
        state.federal = readFederalFile(*file);
    } catch (const legacy::FileFormatError &e) {
        tellUser({QStringLiteral("The federal table file \"%1\" is damaged and cannot be read.")
                      .arg(QString::fromStdString(file->string())),
                  QString::fromUtf8(e.what()), QString::fromLatin1(kConsequence)});
        return false;
    } catch (const legacy::FileError &) {
        tellUser({missingText(), QString::fromLatin1(kConsequence)});
        return false;
    }
    return true;
}

}  // namespace wagedesk

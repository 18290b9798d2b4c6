#include "printing/heading_file.h"

#include "legacy/seqfile.h"

#include <memory>

namespace wagedesk::printing {

bool HeaderFileExists(const std::filesystem::path &file) { return legacy::canOpenForReading(file); }

PrintHeading readHeaderFile(const std::filesystem::path &file)
{
    legacy::SeqReader r(file);
    PrintHeading h;
    h.HeadingLine1 = r.text();
    h.HeadingLine2 = r.text();
    h.HeadingLine3 = r.text();
    h.HeadingLine4 = r.text();
    return h;
}

void writeHeaderFile(const std::filesystem::path &file, const PrintHeading &heading, legacy::SaveBatch *batch)
{
    auto w = std::make_unique<legacy::SeqWriter>(file);
    for (const std::string &line : heading.lines())
        w->text(line);
    w->endRecord();
    if (batch)
        batch->add(std::move(w));
    else
        w->commit();
}

void fillDefaultHeading(PrintHeading &heading)
{
    for (auto [line, name] :
         {std::pair{&PrintHeading::HeadingLine1, "Company"}, std::pair{&PrintHeading::HeadingLine2, "Address"},
          std::pair{&PrintHeading::HeadingLine3, "Zip Code"}, std::pair{&PrintHeading::HeadingLine4, "ID Number"}})
        if ((heading.*line).empty())
            heading.*line = name;
}

}  // namespace wagedesk::printing

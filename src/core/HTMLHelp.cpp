#include "core/HTMLHelp.h"

#include "core/HelpViewer.h"
#include "platform/Environment.h"

namespace HTMLHelp {

QString HelpFilePath(int iHelpFile)
{
    if (iHelpFile == ProgramHelpFile)
        return platform::programFolder() + QStringLiteral("/Velkor_PED_HELP.chm");
    return QString();
}

void ShowHelpContents(int iHelpFile)
{
    HelpViewer::htmlHelp(nullptr, HelpFilePath(iHelpFile), hh::DisplayToc);
}

void ShowHelpIndex(int iHelpFile)
{
    HelpViewer::htmlHelp(nullptr, HelpFilePath(iHelpFile), hh::DisplayIndex);
}

void ShowHelpSearch(int iHelpFile)
{
    hh::FtsQuery query; // an empty query, executed: the search tab opens with nothing listed
    HelpViewer::htmlHelp(nullptr, HelpFilePath(iHelpFile), hh::DisplaySearch, query);
}

void ShowHelpTopic(int iHelpFile, const QString &strTopic)
{
    HelpViewer::htmlHelp(nullptr, HelpFilePath(iHelpFile), hh::DisplayTopic, strTopic);
}

} // namespace HTMLHelp

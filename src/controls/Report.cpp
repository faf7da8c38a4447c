#include "controls/Report.h"

#include "controls/ReportLayout.h"
#include "controls/ReportPreview.h"
#include "db/DataControl.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "platform/VbError.h"

namespace controls {

namespace {
[[noreturn]] void raiseUnknown(const QString &what, const QString &name)
{
    throw platform::VbError(platform::vberr::SubscriptOutOfRange,
                            QStringLiteral("Subscript out of range: no %1 '%2'").arg(what, name));
}
} // namespace

// ---- field list

int ReportFields::indexOf(const QString &name) const
{
    for (int i = 0; i < m_names.size(); ++i) {
        if (m_names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void ReportFields::add(const QString &name)
{
    if (indexOf(name) >= 0)
        return;
    m_names.append(name);
    m_values.append(QVariant());
}

bool ReportFields::contains(const QString &name) const
{
    return indexOf(name) >= 0;
}

QVariant ReportFields::value(const QString &name) const
{
    const int i = indexOf(name);
    if (i < 0)
        raiseUnknown(QStringLiteral("field"), name);
    return m_values.at(i);
}

void ReportFields::setValue(const QString &name, const QVariant &value)
{
    const int i = indexOf(name);
    if (i < 0)
        raiseUnknown(QStringLiteral("field"), name);
    m_values[i] = value;
}

void ReportFields::clear()
{
    m_names.clear();
    m_values.clear();
}

// ---- report

Report::Report() = default;

Report::~Report()
{
    if (m_preview) {
        m_preview->detachReport();
        m_preview->deleteLater();
    }
}

ReportSection *Report::addSection(ReportSection::Kind kind, const QString &name, double height)
{
    m_sections.push_back(std::make_unique<ReportSection>(kind, name, height));
    return m_sections.back().get();
}

ReportSection *Report::findSection(const QString &name) const
{
    for (const auto &section : m_sections) {
        if (section->name().compare(name, Qt::CaseInsensitive) == 0)
            return section.get();
    }
    return nullptr;
}

ReportSection *Report::section(const QString &name) const
{
    if (ReportSection *found = findSection(name))
        return found;
    raiseUnknown(QStringLiteral("section"), name);
}

void Report::setCaption(const QString &caption)
{
    m_caption = caption;
    if (m_preview)
        m_preview->setWindowTitle(caption);
}

db::DataControl *Report::dataControl()
{
    if (!m_dataControl)
        m_dataControl = std::make_unique<db::DataControl>();
    return m_dataControl.get();
}

void Report::run()
{
    m_document = ReportDocument{};
    m_hasRun = false;
    const QVector<ReportBand> bands = ReportLayout::printSections(*this);
    m_document = ReportLayout::paginate(*this, bands);
    m_hasRun = true;
    struct Running
    {
        bool &flag;
        explicit Running(bool &f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(m_running);
    reportEnd();
}

ReportPreview *Report::show(QWidget *owner, bool modal)
{
    if (!m_hasRun)
        run();
    if (!m_preview) {
        m_preview = new ReportPreview(this, owner);
        m_preview->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_preview->setWindowTitle(m_caption);
    m_preview->applyWindowState(m_pendingWindowState);
    if (modal) {
        platform::runModal(*m_preview);
        return nullptr;
    }
    platform::keepOnScreen(m_preview);
    m_preview->show();
    return m_preview;
}

ReportPreview *Report::preview() const
{
    return m_preview.data();
}

int Report::windowState() const
{
    return m_preview ? m_preview->vbWindowState() : m_pendingWindowState;
}

void Report::setWindowState(int state)
{
    m_pendingWindowState = state;
    if (m_preview)
        m_preview->applyWindowState(state);
}

} // namespace controls

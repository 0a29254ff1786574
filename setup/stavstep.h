#ifndef STAVSTEP_H
#define STAVSTEP_H

#include "setupconverter.h"

#include <string_view>
#include <unordered_map>

// One version step on the text of a setup file, in a single pass over its lines.
//
// Most lines of a setup pass a step unchanged; they are copied straight from the input. A line
// that a table or a rule may change is turned into a StavLine and goes through the line
// functions of SetupConverter, so the rules exist in one place only.
class LineShape;

class StavStep
{
public:
    struct Info
    {
        const char *name;
        const char *startText;
        const char *versionText;
        QByteArray versionLine;
        QByteArray version;
    };
    static const Info &info(SetupConverter::Step step);

    StavStep(const SetupConverter &converter, SetupConverter::Step step);

    // False, with a log record, when the step cannot convert the text.
    bool run(const QByteArray &text, QByteArray *result);

private:
    using ViewMap = std::unordered_map<std::string_view, std::string_view>;

    QVector<int> findVersionLines(const QByteArray &text) const;
    void collectSelectedUnits(const QByteArray &text);
    void buildViews();

    void convertLine(const char *data, int size, bool versionLine);
    bool copiesUnchanged(std::string_view line);
    void convertParsedLine(StavLine cur);
    bool keepsRenamedLine(std::string_view oldId) const;
    void rewriteKeptLine(StavLine *cur) const;
    bool mayRewrite(const LineShape &shape) const;
    void startRemoval(const QByteArray &line);
    void continueRemoval(const QByteArray &line);
    void appendLine(const char *data, int size);
    void appendInputLine(std::string_view line);

    StavLine updatePaneIndexV4(const StavLine &stavLine) const;
    StavLine updatePaneIndexV5(const StavLine &stavLine) const;
    StavLine updateMeasurementMode(const StavLine &stavLine) const;
    void rewriteVnaEntry(StavLine *stavLine) const;

    const SetupConverter &m_converter;
    const SetupConverter::Step m_step;
    const Info &m_info;

    // The tables own the bytes that the views below point to.
    SetupConverter::ItemIdMap m_renames;
    SetupConverter::UnitMap m_unitDependencies;
    SetupConverter::ItemIdMap m_selectedUnits;
    ViewMap m_renameViews;
    std::unordered_map<std::string_view, std::pair<std::string_view, std::string_view>> m_unitViews;
    ViewMap m_selectedUnitViews;

    QByteArray m_output;
    const char *m_inputEnd = nullptr;
    int m_lineCount = 0;
    // Inside the value array of a removed item, until its "]".
    bool m_skipping = false;
    QByteArray m_lastSkipped;
};

#endif // STAVSTEP_H

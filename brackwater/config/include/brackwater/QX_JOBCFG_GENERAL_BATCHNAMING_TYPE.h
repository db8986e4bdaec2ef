// How a new batch is named: by a naming formula or by a naming plug-in.
#pragma once

#include <brackwater/PLUGIN_SELECTION_TYPE.h>
#include <brackwater/QXByteTypes.h>
#include <brackwater/QXRecordOperators.h>
#include <brackwater/brackwater_export.h>

#include <string>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_GENERAL_BATCHNAMING_TYPE
{
    enum SOURCE : BYTE
    {
        SOURCE_FORMULA = 0,
        SOURCE_PLUGIN = 1
    };

    // Starts as SOURCE_PLUGIN; reset() keeps whatever source is chosen.
    QX_JOBCFG_GENERAL_BATCHNAMESOURCE_TYPE source;
    PLUGIN_SELECTION_TYPE plugin;
    std::wstring strFormula;

    QX_JOBCFG_GENERAL_BATCHNAMING_TYPE() { init(); }
    QX_RECORD_OPERATORS(QX_JOBCFG_GENERAL_BATCHNAMING_TYPE)

    void reset();
    void set(const QX_JOBCFG_GENERAL_BATCHNAMING_TYPE& other);
    int compare(const QX_JOBCFG_GENERAL_BATCHNAMING_TYPE& other) const;
    // A formula source needs a formula, a plug-in source a valid selection.
    BOOL check() const;
    // An invalid record returns to its constructed state (plug-in source).
    void normalize();

    // "SourceType", the plug-in under "Locator", "Fomula".
    BOOL toscript(CZKScript& script) const;
    // A failed read leaves the constructed state, source included.
    BOOL fromscript(CZKScript& script);

protected:
    void init() {}

private:
    void _Construct();
};

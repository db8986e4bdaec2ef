// Which plug-in a job uses for a task (batch naming, field values, index
// data) together with the plug-in's own settings, kept as a movable memory
// block that only the plug-in interprets.
#pragma once

#include <brackwater/QXRecordOperators.h>
#include <brackwater/brackwater_export.h>
#include <hollin/ZKAPIPluginConnector.h>
#include <hollin/ZKGBuffer.h>
#include <wincompat/WinTypes.h>

class CZKScript;

struct BRACKWATER_EXPORT PLUGIN_SELECTION_TYPE : public CZKAPIPluginConnector
{
    PLUGIN_SELECTION_TYPE() { init(); }
    QX_DERIVED_RECORD_OPERATORS(PLUGIN_SELECTION_TYPE, CZKAPIPluginConnector)
    QX_RECORD_CLONE(PLUGIN_SELECTION_TYPE)

    // Disconnects and frees the settings block.
    void reset();
    void set(const PLUGIN_SELECTION_TYPE& other);
    // Same plug-in, same connection state, byte-identical settings.
    int compare(const PLUGIN_SELECTION_TYPE& other) const;
    // Unconnected is valid; a connected plug-in must identify itself.
    BOOL check() const;
    void normalize();

    // The connector under the sub-section "Locator" of the current section.
    // The settings block is the plug-in's and is not part of the script.
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);

    // Settings block to/from a buffer; FALSE while no plug-in is connected.
    BOOL CopyTo(CZKGBuffer& buffer) const;
    BOOL CopyFrom(const CZKGBuffer& buffer);
    const CZKGBuffer& GetSettings() const { return m_settings; }

protected:
    void init() {}

private:
    CZKGBuffer m_settings;
};

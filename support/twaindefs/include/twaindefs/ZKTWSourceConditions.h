// For data sources: the condition code of a refusal made before an
// application has a session (no session yet, one too many), kept per
// application and answered once by its next DAT_STATUS.
#pragma once

#include <map>

#include <twaindefs/ZKTwainDefs.h>

class CZKTWSourceConditions
{
public:
    // Identities are packed: their Id is copied out before a container binds
    // a reference to it.
    static TW_UINT32 IdOf(const TW_IDENTITY* identity) { return identity->Id; }

    // Remembers condition for origin (when there is one); always TWRC_FAILURE.
    TW_UINT16 Fail(const TW_IDENTITY* origin, TW_UINT16 condition)
    {
        if (origin)
            m_conditions[IdOf(origin)] = condition;
        return TWRC_FAILURE;
    }

    bool Has(const TW_IDENTITY* origin) const { return m_conditions.count(IdOf(origin)) != 0; }

    // DAT_STATUS/MSG_GET: the remembered code (TWCC_SUCCESS when none), then forgotten.
    TW_UINT16 Answer(const TW_IDENTITY* origin, TW_STATUS* status)
    {
        if (!status)
            return TWRC_FAILURE;
        auto found = m_conditions.find(IdOf(origin));
        status->ConditionCode = found == m_conditions.end() ? TWCC_SUCCESS : found->second;
        status->Data = 0;
        Forget(origin);
        return TWRC_SUCCESS;
    }

    void Forget(const TW_IDENTITY* origin) { m_conditions.erase(IdOf(origin)); }

private:
    std::map<TW_UINT32, TW_UINT16> m_conditions;
};

#include "QXImprinterFormula.h"

#include <boost/regex.hpp>

bool SQXImprinterFormula::SplitTokens(const std::wstring& formula, std::vector<std::wstring>& names)
{
    static const boost::wregex kWholeFormula(L"(<[^<>]+>)*");
    static const boost::wregex kToken(L"<[^<>]+>");
    names.clear();
    if (!boost::regex_match(formula, kWholeFormula))
        return false;
    for (boost::wsregex_iterator it(formula.begin(), formula.end(), kToken), end; it != end; ++it)
    {
        const std::wstring token = it->str();
        names.push_back(token.substr(1, token.size() - 2));
    }
    return true;
}

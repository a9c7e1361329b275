#include "MemberFinder.h"

MemberFinder::MemberFinder(const Catalogue& catalogue) : m_catalogue(catalogue) {}

// First cut: designations that contain the query as typed, in catalogue order.
std::vector<FoundMember> MemberFinder::find(std::u16string_view query, std::size_t limit) const {
    std::vector<FoundMember> found;
    for (std::int16_t g = 1; g <= m_catalogue.GroupCount && std::size_t(g) < m_catalogue.GroupName.size();
         ++g) {
        for (std::int16_t m = 1; m <= m_catalogue.GroupMemberCount[g]; ++m) {
            if (found.size() >= limit)
                return found;
            if (!query.empty() && m_catalogue.MemberName[g][m].find(query) != std::u16string::npos)
                found.push_back({false, g, m, m_catalogue.GroupName[g], m_catalogue.memberValues(g, m)});
        }
    }
    return found;
}

#include "MemberFinder.h"

#include "FindText.h"
#include "SectionFamilies.h"
#include "SizeDesignation.h"

#include <algorithm>

namespace {

// Ranks: a tier times kTierStep plus an order within the tier.
constexpr int kTierStep = 64;
constexpr int kDesignationItself = 0;
constexpr int kDesignationBegins = 1;
constexpr int kRemark = 2;
constexpr int kContains = 3;

bool isSizeKeyCharacter(char16_t c) {
    return (c >= u'0' && c <= u'9') || c == u'.' || c == u'x';
}

bool onlySize(std::u16string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isSizeKeyCharacter);
}

// A number of a key as findKey writes it: no leading zero but before a point, no trailing zero
// after one.
bool isWrittenNumber(std::u16string_view number) {
    const std::size_t point = number.find(u'.');
    const std::u16string_view whole = number.substr(0, point);
    const std::u16string_view decimals = point == std::u16string_view::npos ? u"" : number.substr(point + 1);
    const auto digits = [](std::u16string_view part) {
        return std::all_of(part.begin(), part.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
    };
    return !whole.empty() && digits(whole) && (whole.size() == 1 || whole[0] != u'0') && digits(decimals) &&
           (point == std::u16string_view::npos || (!decimals.empty() && decimals.back() != u'0'));
}

// A remark that gives a nominal size: a word such as 呼称, then the size alone. A remark that names
// another member ("H-300x150x6.5x9" of a cut tee) gives none.
std::u16string_view nominalSizeOf(std::u16string_view remark) {
    const std::size_t size = sizeStart(remark);
    const std::u16string_view lead = remark.substr(0, size);
    const bool ascii = std::any_of(lead.begin(), lead.end(), [](char16_t c) { return c < 0x80; });
    return !ascii && onlySize(remark.substr(size)) ? remark.substr(size) : std::u16string_view();
}

// The words of a folded text: the parts between its blanks, each as a key.
std::vector<std::u16string> wordKeys(std::u16string_view folded) {
    std::vector<std::u16string> words;
    std::size_t start = 0;
    while (start < folded.size()) {
        std::size_t end = folded.find(u' ', start);
        if (end == std::u16string_view::npos)
            end = folded.size();
        if (std::u16string key = findKey(folded.substr(start, end - start)); !key.empty())
            words.push_back(std::move(key));
        start = end + 1;
    }
    return words;
}

} // namespace

MemberFinder::MemberFinder(const Catalogue& catalogue) : m_catalogue(catalogue) {
    for (const SectionFamily& family : sectionFamilies()) {
        m_prefixes.emplace_back(keyOf(family.prefix), &family);
        if (!family.alsoWritten.empty())
            m_prefixes.emplace_back(keyOf(family.alsoWritten), &family);
    }
    m_familyGroups.assign(sectionFamilies().size(), 0);

    // The group count as far as the tables reach.
    const std::int16_t groups = std::int16_t(std::max<std::ptrdiff_t>(
        0, std::min<std::ptrdiff_t>(catalogue.GroupCount, std::ptrdiff_t(catalogue.GroupName.size()) - 1)));
    m_groupKeys.resize(std::size_t(groups) + 1);
    for (std::int16_t g = 1; g <= groups; ++g) {
        m_groupKeys[std::size_t(g)] = keyOf(catalogue.GroupName[g]);
        for (std::int16_t m = 1; m <= catalogue.GroupMemberCount[g]; ++m) {
            const std::u16string& name = catalogue.MemberName[g][m];
            const std::u16string designation = keyOf(name);
            const std::u16string remark = keyOf(catalogue.MemberRemark[g][m]);
            Indexed member;
            member.group = g;
            member.member = m;
            member.designation = stored(designation);
            member.sizeOffset = std::uint32_t(sizeStart(designation));
            member.remark = stored(remark);
            if (const std::u16string_view nominal = nominalSizeOf(remark); !nominal.empty()) {
                const std::u16string_view size = std::u16string_view(designation).substr(member.sizeOffset);
                member.nominal = stored(designation.substr(0, member.sizeOffset) + std::u16string(nominal));
                member.nominalIsOwn = size.starts_with(nominal);
            }
            m_members.push_back(member);

            const std::optional<std::u16string_view> prefix = sizePrefix(name);
            if (const SectionFamily* family = prefix ? familyOf(*prefix, dimensionsGiven(name)) : nullptr) {
                std::int16_t& holder = m_familyGroups[std::size_t(family - sectionFamilies().data())];
                holder = holder ? holder : g;
            }
        }
    }
}

MemberFinder::Span MemberFinder::stored(std::u16string_view key) {
    m_keys.append(key);
    return {std::uint32_t(m_keys.size() - key.size()), std::uint32_t(key.size())};
}

std::u16string_view MemberFinder::text(Span span) const {
    return std::u16string_view(m_keys).substr(span.start, span.length);
}

// The key as a prefix and numbers joined by "x", nothing else, of a family that may be computed
// and has that many dimensions.
std::optional<MemberFinder::Spelled> MemberFinder::spelledDesignation(std::u16string_view key) const {
    const std::size_t size = sizeStart(key);
    const std::u16string_view sizePart = key.substr(size);
    for (std::size_t start = 0; start <= sizePart.size();) {
        const std::size_t end = std::min(sizePart.find(u'x', start), sizePart.size());
        if (!isWrittenNumber(sizePart.substr(start, end - start)))
            return std::nullopt;
        start = end + 1;
    }
    const int count = int(std::count(sizePart.begin(), sizePart.end(), u'x')) + 1;
    for (const auto& [prefix, family] : m_prefixes) {
        if (prefix == key.substr(0, size) && family->dimensions == count && family->possible) {
            std::u16string designation(family->prefix);
            designation += sizePart;
            return Spelled{family, designation, keyOf(designation)};
        }
    }
    return std::nullopt;
}

// The rank of `member` for one key, or -1 when the key does not find it; the group's name is the
// caller's.
int MemberFinder::rankOf(const Indexed& member, std::u16string_view key) const {
    const std::u16string_view designation = text(member.designation);
    const std::size_t at = designation.find(key);
    if (at == 0 || (at != std::u16string_view::npos && at == member.sizeOffset)) {
        const bool whole = key.size() == designation.size() - at;
        return (whole ? kDesignationItself : kDesignationBegins) * kTierStep;
    }
    if ((member.nominal.length > 0 && text(member.nominal).starts_with(key)) ||
        (member.remark.length >= key.size() && text(member.remark).find(key) != std::u16string_view::npos))
        return kRemark * kTierStep + (member.nominalIsOwn ? 0 : 1);
    return at != std::u16string_view::npos ? kContains * kTierStep : -1;
}

std::optional<FoundMember> MemberFinder::computedMember(const Spelled& spelled) const {
    const std::optional<Dimensions> dimensions =
        dimensionsIfWellFormed(spelled.designation, spelled.family->dimensions);
    if (!dimensions)
        return std::nullopt;
    const std::optional<ComputedSection> section =
        computeSection(*spelled.family, spelled.designation, dimensions->value);
    if (!section)
        return std::nullopt;
    const std::size_t row = std::size_t(spelled.family - sectionFamilies().data());
    FoundMember found;
    found.computed = true;
    found.group = m_familyGroups[row];
    found.groupName = std::u16string(spelled.family->name) + u"（" + std::u16string(kComputedRemark) + u"）";
    found.values = {spelled.designation, std::u16string(kComputedRemark), spelled.family->kind,
                    section->weight, section->coefficient};
    return found;
}

std::vector<FoundMember> MemberFinder::find(std::u16string_view query, std::size_t limit) const {
    const std::u16string folded = foldedForFind(query);
    const std::u16string whole = findKey(folded);
    if (whole.empty() || limit == 0)
        return {};
    const std::vector<std::u16string> words = wordKeys(folded);
    const std::optional<Spelled> spelled = spelledDesignation(whole);
    // Another key for the same text: the designation as the catalogue writes it ("φ48.6x2.3" is
    // P-48.6x2.3).
    const std::u16string_view alias =
        spelled && spelled->key != whole ? std::u16string_view(spelled->key) : u"";

    // Which words each group's name holds, as a bit each; bit 31 for the whole text.
    constexpr std::size_t kWholeBit = 31;
    std::vector<std::uint32_t> groupHolds(m_groupKeys.size(), 0);
    for (std::size_t g = 1; g < m_groupKeys.size(); ++g) {
        for (std::size_t w = 0; w < words.size() && w < kWholeBit; ++w)
            groupHolds[g] |= m_groupKeys[g].find(words[w]) != std::u16string::npos ? 1u << w : 0;
        groupHolds[g] |= m_groupKeys[g].find(whole) != std::u16string::npos ? 1u << kWholeBit : 0;
    }

    // (rank, member index), sorted: the catalogue's order within a rank.
    std::vector<std::uint64_t> ranked;
    bool spelledFound = false;
    for (std::size_t i = 0; i < m_members.size(); ++i) {
        const Indexed& member = m_members[i];
        const std::uint32_t holds = groupHolds[std::size_t(member.group)];
        int rank = rankOf(member, whole);
        if (!alias.empty()) {
            const int aliasRank = rankOf(member, alias);
            rank = rank < 0 || (aliasRank >= 0 && aliasRank < rank) ? aliasRank : rank;
        }
        if (rank < 0 && (holds >> kWholeBit) != 0)
            rank = kContains * kTierStep;
        spelledFound = spelledFound || (spelled && text(member.designation) == spelled->key);
        if (rank < 0 && words.size() > 1) {
            int sum = 0;
            for (std::size_t w = 0; w < words.size() && sum >= 0; ++w) {
                const int wordRank = rankOf(member, words[w]);
                const bool inGroup = w < kWholeBit && (holds >> w & 1u) != 0;
                sum = wordRank >= 0 ? sum + wordRank / kTierStep : inGroup ? sum + kContains : -1;
            }
            if (sum >= 0)
                rank = kContains * kTierStep + 1 + std::min(sum, kTierStep - 2);
        }
        if (rank >= 0)
            ranked.push_back(std::uint64_t(rank) << 32 | i);
    }

    std::vector<FoundMember> found;
    if (spelled && !spelledFound) {
        if (std::optional<FoundMember> computed = computedMember(*spelled))
            found.push_back(std::move(*computed));
    }
    const std::size_t wanted = std::min(ranked.size(), limit - found.size());
    std::partial_sort(ranked.begin(), ranked.begin() + std::ptrdiff_t(wanted), ranked.end());
    for (std::size_t k = 0; k < wanted; ++k) {
        const Indexed& member = m_members[ranked[k] & 0xFFFFFFFFu];
        found.push_back({false, member.group, member.member, m_catalogue.GroupName[member.group],
                         m_catalogue.memberValues(member.group, member.member)});
    }
    return found;
}

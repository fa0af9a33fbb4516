#include "path_name.h"

#include <charconv>

namespace {

constexpr unsigned kDriveCdRom = 5;

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// A number written out with leading zeros up to `width` digits, as printf's
// %0*d does (without printf, whose formatting engine would come along).
std::string ZeroPadded(int value, std::size_t width)
{
    char digits[16];
    char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    std::string text(digits, end);
    if (text.size() < width)
        text.insert(0, width - text.size(), '0');
    return text;
}

}  // namespace

CPathName::CPathName(PathPlatform& platform) : m_platform(&platform) {}

CPathName::CPathName(const char* text, PathPlatform& platform) : m_platform(&platform)
{
    Assign(text);
}

void CPathName::Assign(const char* text)
{
    if (text == nullptr)
        return;
    const std::string source(text);

    // The last slash or backslash of the text decides the separator.
    const std::size_t lastSeparator = source.find_last_of("/\\");
    if (lastSeparator != std::string::npos)
        m_separator = source[lastSeparator];

    m_text.clear();
    bool fits = true;
    std::size_t pos = 0;
    while (true) {
        const std::size_t open = source.find('[', pos);
        if (open == std::string::npos) {
            AppendFinal(source.substr(pos));
            break;
        }
        AppendLiteral(source.substr(pos, open - pos));
        const std::size_t close = source.find(']', open + 1);
        if (close == std::string::npos) {
            // An unmatched bracket stays in the text as it stands.
            AppendFinal(source.substr(open));
            break;
        }
        pos = close + 1;
        std::optional<Expansion> expansion =
            ExpandMacro(source.substr(open + 1, close - open - 1));
        if (!expansion)
            continue;  // an unknown name leaves nothing behind, not even a separator
        fits = fits && expansion->fits;
        std::string& expanded = expansion->text;
        if (expanded.empty() || expanded.back() != m_separator)
            expanded += m_separator;
        m_text += expanded;
    }
    EnsureTrailingSeparator();
    m_unfitText.reset();
    if (!fits)
        m_unfitText = m_text;
}

void CPathName::AppendLiteral(const std::string& piece)
{
    if (piece.empty())
        return;
    m_text.append(piece, piece[0] == m_separator ? 1 : 0, std::string::npos);
}

void CPathName::AppendFinal(const std::string& piece)
{
    if (piece.empty())
        return;
    if (piece.size() >= 2 && piece[0] == m_separator && piece[1] != m_separator) {
        m_text.append(piece, 1, std::string::npos);
    } else if (piece.size() == 1 && piece[0] == m_separator) {
        // a lone separator adds nothing; the trailing one follows anyway
    } else {
        m_text += piece;
    }
}

std::optional<CPathName::Expansion> CPathName::ExpandMacro(const std::string& name) const
{
    // A folder of the system that cannot be read (the system could not hold
    // it in a path) does not fit either.
    const auto folder = [](std::string text) {
        const bool fits = !text.empty() && text.size() <= kMaxMacroExpansion;
        if (text.size() > kMaxMacroExpansion)
            text.resize(kMaxMacroExpansion);
        return Expansion{std::move(text), fits};
    };
    if (name == "windowsdir")
        return folder(m_platform->WindowsDirectory());
    if (name == "systemdir")
        return folder(m_platform->SystemDirectory());
    if (name == "currentdir")
        return folder(m_platform->CurrentDirectory());
    if (name == "datedir") {
        const LocalDate date = m_platform->Today();
        return Expansion{ZeroPadded(date.day, 2) + ZeroPadded(date.month, 2) + ZeroPadded(date.year, 4)};
    }
    if (name == "cdrom") {
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const std::string root{letter, ':'};
            if (m_platform->DriveType(root) == kDriveCdRom)
                return Expansion{root};
        }
        return Expansion{};
    }
    return std::nullopt;
}

void CPathName::Append(const char* text)
{
    if (text == nullptr)
        return;
    // What did not fit before is still in the text.
    const bool fitted = Fits();
    Assign(m_text + text);
    if (!fitted)
        m_unfitText = m_text;
}

void CPathName::EnsureTrailingSeparator()
{
    if (m_text.empty() || m_text.back() != m_separator)
        m_text += m_separator;
}

bool CPathName::Exists() const
{
    const std::string remembered = m_platform->CurrentDirectory();
    const bool exists = m_platform->ChangeDirectory(m_text);
    m_platform->ChangeDirectory(remembered);
    return exists;
}

bool CPathName::CreateChain() const
{
    if (m_text.empty())
        return true;
    constexpr unsigned long kAlreadyExists = 183;
    const std::string remembered = m_platform->CurrentDirectory();
    bool result = true;
    for (const std::string& level : ChainLevels(m_text)) {
        const unsigned long error = m_platform->MakeDirectory(level);
        if (error != 0 && error != kAlreadyExists)
            result = false;
    }
    m_platform->ChangeDirectory(remembered);
    return result;
}

bool CPathName::Fits() const
{
    return !m_unfitText || *m_unfitText != m_text;
}

std::vector<std::string> ChainLevels(const std::string& text)
{
    const unsigned skip = (text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1])) ? 2 : 0;
    std::vector<std::string> levels;
    unsigned number = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsSeparator(text[i]) || i <= 2)
            continue;
        if (++number > skip)
            levels.push_back(text.substr(0, i));
    }
    return levels;
}

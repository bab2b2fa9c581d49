#include "phonetic/tables.h"

#include <algorithm>

namespace orvane {

namespace {
template <std::size_t N>
int lookup(const std::array<std::string, N>& keys, int keyCode)
{
    const char key = char(static_cast<unsigned char>(keyCode));
    int result = 0;
    for (std::size_t i = 1; i < N; ++i)
        if (keys[i].size() == 1 && keys[i][0] == key)
            result = int(i);
    return result;
}
} // namespace

void CompositionTables::FillSyllableTable()
{
    // Columns 1..13: a A i I u U e E y o O Y .
    static const char* const rows[23][13] = {
        {"m", "M", ",", "<", "c", "C", "v", "V", "I", "x", "X", "xs", "/"},
        {"f", "fh", "fp", "fP", "F", "$", "nf", "Nf", "if", "nfh", "Nfh", "nfs", "f;"},
        {"r", "rh", "rp", "rP", "R", "#", "nr", "Nr", "ir", "nrh", "Nrh", "nrs", "r;"},
        {"l", "lh", "b", "B", "L", "{^}", "nl", "Nl", "il", "nlh", "Nlh", "nls", "l;"},
        {"j", "jh", "jp", "jP", "J", "J{}}", "nj", "Nj", "ij", "njh", "Njh", "njs", "j;"},
        {"g", "gh", "gp", "gP", "G", "G{+}", "ng", "Ng", "ig", "ngh", "Ngh", "ngs", "g;"},
        {"w", "wh", "wp", "wP", "W", "W", "nw", "Nw", "iw", "nwh", "Nwh", "nws", "w;"},
        {"a", "ah", "ap", "aP", "A", "A{+}", "na", "Na", "ia", "nah", "Nah", "nas", "a;"},
        {"u", "uh", "hp", "hP", "U", "&", "nu", "Nu", "iu", "nuh", "Nuh", "nus", "h;"},
        {"y", "yh", "yp", "yP", "Y", "Y{}}", "ny", "Ny", "iy", "nyh", "Nyh", "nys", "y;"},
        {"t", "th", "tp", "tP", "T", "T{+}", "nt", "Nt", "it", "nth", "Nth", "nts", "t;"},
        {"s", "sh", "sp", "sP", "S", "S", "ns", "Ns", "is", "nsh", "Nsh", "nss", "s;"},
        {"o", "oh", "op", "oP", "O", "*", "no", "No", "io", "noh", "Noh", "nos", "o;"},
        {"Q", "Qh", "Qp", "QP", "Q", "Q", "nQ", "NQ", "iQ", "nQh", "NQh", "nQs", "Q;"},
        {"q", "qh", "qp", "qP", "q", "q", "nq", "Nq", "iq", "nqh", "Nqh", "nqs", "q;"},
        {"z", "zh", "zp", "zP", "Z", "Z{}}", "nz", "Nz", "iz", "nzh", "Nzh", "nzs", "z;"},
        {"e", "eh", "ep", "eP", "E", "E{}}", "ne", "Ne", "ie", "neh", "Neh", "nes", "e;"},
        {"k", "kh", "kp", "kP", "K", "{%}", "nk", "Nk", "ik", "nkh", "Nkh", "nks", "k;"},
        {"d", "dh", "dp", "dP", "D", "D{}}", "nd", "Nd", "id", "ndh", "Ndh", "nds", "d;"},
        {"[", "[h", "[p", "[P", "[{{}", "[_", "n[", "N[", "i[", "n[h", "N[h", "n[s", "[;"},
        {"`", "`h", "`p", "`P", "`{{}", "`_", "n`", "N`", "i`", "n`h", "N`h", "n`s", "`;"},
        {"\\", "\\h", "\\p", "\\P", "\\", "\\", "n\\", "N\\", "i\\", "n\\h", "N\\h", "n\\s", "\\;"},
        {"]", "]h", "]p", "]P", "]{{}", "]_", "n]", "N]", "i]", "n]h", "N]h", "n]s", "];"},
    };
    for (int r = 0; r < 23; ++r)
        for (int c = 1; c <= VowelCount; ++c)
            SyllableTable[r][c] = rows[r][c - 1];
}

void CompositionTables::FillVowelKeys()
{
    static const char* const keys[VowelCount] = {"a", "A", "i", "I", "u", "U", "e",
                                                 "E", "y", "o", "O", "Y", "."};
    std::copy(std::begin(keys), std::end(keys), VowelKeys.begin() + 1);
}

void CompositionTables::FillConsonantKeys()
{
    static const char* const keys[ConsonantCount] = {"k", "c", "t", "d", "p", "R", "y", "r",
                                                     "l", "v", "L", "z", "g", "G", "O", "n",
                                                     "m", "o", "j", "h", "S", "s"};
    std::copy(std::begin(keys), std::end(keys), ConsonantKeys.begin() + 1);
}

int CompositionTables::vowelIndexOf(int keyCode) const { return lookup(VowelKeys, keyCode); }

int CompositionTables::consonantIndexOf(int keyCode) const { return lookup(ConsonantKeys, keyCode); }

} // namespace orvane

#include "scores_dlg.h"

#include <iterator>

#include "profile_names.h"
#include "resource.h"

namespace {
// One column per board size, in the order of the game sizes.
const TCHAR* const SizeHeadings[] = {TEXT("Compact"), TEXT("Medium"), TEXT("Maximum")};
constexpr int SizeCount = static_cast<int>(std::size(SizeHeadings));
constexpr int ColumnWidth = 71;
}  // namespace

CScoresDlg::CScoresDlg(CWnd* pParent) : CDialog(IDD_SCORES, pParent) {}

void CScoresDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_SCORE_LIST, m_scoreList);
}

BOOL CScoresDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int size = 0; size < SizeCount; ++size)
        m_scoreList.InsertColumn(size, SizeHeadings[size], LVCFMT_CENTER, ColumnWidth, -1);

    CWinApp* app = AfxGetApp();
    for (int place = 1; place <= profile::HighScorePlaces; ++place) {
        const Text key = profile::ScoreKey(place);
        for (int size = 0; size < SizeCount; ++size) {
            const Text section = profile::HighScoreSection(size);
            const Text score = FormatScore(QTEXT("%d"), app->GetProfileInt(section.c_str(), key.c_str(), 0));
            if (size == 0)
                m_scoreList.InsertItem(LVIF_TEXT, place - 1, score.c_str(), 0, 0, 0, 0);
            else
                m_scoreList.SetItemText(place - 1, size, score.c_str());
        }
    }
    return TRUE;
}

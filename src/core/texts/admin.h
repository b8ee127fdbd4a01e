#pragma once

#include <span>

#include "core/string_table.h"

// Texts of administration: the examinee dialogs, the crime list, the operator dialog, the system parameters
// and the examinee archive. English under the odd identifier, Russian under the next one.
namespace lumo::txt {

// Examinee chooser
inline constexpr int SubjectsCaption = 1683;
inline constexpr int SubjectsFile = 1685;
inline constexpr int SubjectsExaminee = 1687;
inline constexpr int SubjectsDate = 1689;
inline constexpr int SubjectsIssue = 1691;
inline constexpr int SubjectsNote = 1693;
inline constexpr int SubjectsArchived = 1695;
inline constexpr int SubjectsSearchByCrime = 1697;
inline constexpr int SubjectsDeleteConfirm = 1699;
inline constexpr int SubjectsNoMore = 1701;
inline constexpr int SubjectsCannotDelete = 1703;

// New-examinee dialog and examinee editor: field labels
inline constexpr int SubjName = 1705;
inline constexpr int SubjExaminer = 1707;
inline constexpr int SubjCrime = 1709;
inline constexpr int SubjIssue = 1711;
inline constexpr int SubjNote = 1713;

// New-examinee dialog
inline constexpr int SubjNewCaption = 1715;
inline constexpr int SubjNewIssues = 1717;
inline constexpr int SubjNewCode = 1719;
inline constexpr int SubjNewPostingFailure = 1721;
inline constexpr int SubjNewCreatingFailure = 1723;
inline constexpr int SubjNewCancelConfirm = 1725;

// Examinee editor
inline constexpr int SubjEditCaption = 1727;
inline constexpr int SubjEditNoExaminee = 1729;
inline constexpr int SubjEditArchived = 1731;
inline constexpr int SubjEditPost = 1733;
inline constexpr int SubjEditPostingFailure = 1735;
inline constexpr int SubjEditPostingFails = 1737;

// Crime list editor
inline constexpr int CrimeCaption = 1739;
inline constexpr int CrimeSaveConfirm = 1741;
inline constexpr int CrimeCancelConfirm = 1743;

// Operator dialog
inline constexpr int UsersCaption = 1753;
inline constexpr int UsersNameColumn = 1755;
inline constexpr int UsersDateColumn = 1757;
inline constexpr int UsersNoteColumn = 1759;
inline constexpr int UsersList = 1761;
inline constexpr int UsersListHint = 1763;
inline constexpr int UsersName = 1765;
inline constexpr int UsersNameHint = 1767;
inline constexpr int UsersNote = 1769;
inline constexpr int UsersNoteHint = 1771;
inline constexpr int UsersAdd = 1773;
inline constexpr int UsersAddHint = 1775;
inline constexpr int UsersDelete = 1777;
inline constexpr int UsersDeleteHint = 1779;
inline constexpr int UsersOkHint = 1781;
inline constexpr int UsersCancelHint = 1783;
inline constexpr int UsersNotUnique = 1785;
inline constexpr int UsersDeleteConfirm = 1787;
inline constexpr int UsersNoMemory = 1789;

// System parameters dialog
inline constexpr int SysCaption = 1799;
inline constexpr int SysChannels = 1801;
inline constexpr int SysPort = 1803;
inline constexpr int SysQuestionTime = 1805;
inline constexpr int SysLanguage = 1807;
inline constexpr int SysArtefacts = 1809;
inline constexpr int SysWorkArea = 1811;
inline constexpr int SysScrolling = 1813;
inline constexpr int SysPrinter = 1815;
inline constexpr int SysColorHint = 1817;
inline constexpr int SysSwitchHint = 1819;
inline constexpr int SysVisibleHint = 1821;
inline constexpr int SysBandHint = 1823;
inline constexpr int SysPortHint = 1825;
inline constexpr int SysQuestionTimeHint = 1827;
inline constexpr int SysLanguageHint = 1829;
inline constexpr int SysArtefactHint = 1831;
inline constexpr int SysWorkAreaHint = 1833;
inline constexpr int SysScrollingHint = 1835;
inline constexpr int SysPrinterHint = 1837;
inline constexpr int SysOkHint = 1839;
inline constexpr int SysCancelHint = 1841;

// Archive folder chooser
inline constexpr int ArchDirCaption = 1851;
inline constexpr int ArchDirDriveHint = 1853;
inline constexpr int ArchDirTreeHint = 1855;
inline constexpr int ArchDirFiles = 1857;
inline constexpr int ArchDirOkHint = 1859;
inline constexpr int ArchDirCancelHint = 1861;
inline constexpr int ArchDirOverwrite = 1863;

// Archiver: compressing
inline constexpr int ArchiveCaption = 1865;
inline constexpr int ArchiveSearching = 1867;
inline constexpr int ArchiveSolidCreating = 1869;
inline constexpr int ArchiveSolidError = 1871;
inline constexpr int ArchiveSolidFailure = 1873;
inline constexpr int ArchiveCompressing = 1875;
inline constexpr int ArchiveCompressionFailure = 1877;
inline constexpr int ArchiveVolumesCreating = 1879;
inline constexpr int ArchiveDisksNeeded = 1881;
inline constexpr int ArchiveAreYouReady = 1883;
inline constexpr int ArchiveFailure = 1885;
inline constexpr int ArchiveInsertDiskA = 1887;
inline constexpr int ArchiveInsertDiskB = 1889;
inline constexpr int ArchiveDriveError = 1891;
inline constexpr int ArchiveRetry = 1893;
inline constexpr int ArchiveCleanup = 1895;
inline constexpr int ArchiveComplete = 1897;
inline constexpr int ArchiveError = 1899;

// Archiver: decompressing
inline constexpr int ArchiveJoining = 1901;
inline constexpr int ArchiveMissingFile = 1903;
inline constexpr int ArchiveForeignVolume = 1905;
inline constexpr int ArchiveDearchivationFailure = 1907;
inline constexpr int ArchiveDecompressing = 1909;
inline constexpr int ArchiveDecompressionFailure = 1911;
inline constexpr int ArchiveExtracting = 1913;
inline constexpr int ArchiveExtractionError = 1915;
inline constexpr int ArchiveExtractionFailure = 1917;
inline constexpr int ArchiveDearchivationComplete = 1919;

// Compression component
inline constexpr int LzrwNoMemoryCompress = 2001;
inline constexpr int LzrwNoMemoryDecompress = 2003;
inline constexpr int LzrwCannotGetSize = 2005;
inline constexpr int LzrwKhInputNotFound = 2007;
inline constexpr int LzrwInputNotFound = 2009;
inline constexpr int LzrwOutputNotOpened = 2011;
inline constexpr int LzrwWriteError = 2013;
inline constexpr int LzrwReadError = 2015;
inline constexpr int LzrwKhReadError = 2017;
inline constexpr int LzhReadError = 2019;
inline constexpr int LzrwNotCompressed = 2021;
inline constexpr int LzrwKhCorrupt = 2023;
inline constexpr int LzhCorrupt = 2025;

// Solid file and volumes
inline constexpr int SolidWritingHeaderSize = 2027;
inline constexpr int SolidWritingHeader = 2029;
inline constexpr int SolidReadingHeaderSize = 2031;
inline constexpr int SolidReadingHeader = 2033;
inline constexpr int SolidReadingData = 2035;
inline constexpr int SolidWritingData = 2037;
inline constexpr int VolumeWritingLabel = 2039;
inline constexpr int VolumeReadingLabel = 2041;
inline constexpr int SolidUnsafeName = 2043;
inline constexpr int ArchiveVerifyFailed = 2045;
inline constexpr int SolidNameTooLong = 2047;

// Archive folder chooser: the drives of this machine
inline constexpr int ArchDirHomeFolder = 2049;
inline constexpr int ArchDirRemovable = 2051;

// Batch archiving tool
inline constexpr int ArchToolNoExaminee = 2053;
inline constexpr int ArchToolArchived = 2055;
inline constexpr int ArchToolNotArchived = 2057;

// Examinee chooser: buttons and hints
inline constexpr int SubjectsGridLabel = 1921;
inline constexpr int SubjectsGridHint = 1923;
inline constexpr int SubjectsCrimeHint = 1925;
inline constexpr int SubjectsChooseHint = 1927;
inline constexpr int SubjectsDeleteHint = 1929;
inline constexpr int SubjectsCancelHint = 1931;

// New-examinee dialog and examinee editor: buttons and hints
inline constexpr int SubjCodeHint = 1933;
inline constexpr int SubjNameHint = 1935;
inline constexpr int SubjExaminerHint = 1937;
inline constexpr int SubjCrimeHint = 1939;
inline constexpr int SubjIssueHint = 1941;
inline constexpr int SubjNoteHint = 1943;
inline constexpr int SubjCodePageWarning = 1945;
inline constexpr int SubjNewOkHint = 1947;
inline constexpr int SubjNewCancelHint = 1949;
inline constexpr int SubjEditPostHint = 1951;
inline constexpr int SubjEditCancelHint = 1953;
inline constexpr int SubjEditArchivedHint = 1955;
inline constexpr int SubjDate = 1957;
inline constexpr int SubjEditCode = 1959;

// Crime list editor and operator dialog: further texts
inline constexpr int CrimeNames = 1961;
inline constexpr int CrimeNamesHint = 1963;
inline constexpr int CrimeOkHint = 1965;
inline constexpr int CrimeCancelHint = 1967;
inline constexpr int UsersFieldLimits = 1969;
inline constexpr int UsersNameEmpty = 1971;
inline constexpr int UsersSaveFailure = 1973;
inline constexpr int UsersReadFailure = 1975;

// System parameters dialog: further texts
inline constexpr int SysChannelHeader = 2059;
inline constexpr int SysColorHeader = 2061;
inline constexpr int SysSwitchHeader = 2063;
inline constexpr int SysVisibleHeader = 2065;
inline constexpr int SysBandHeader = 2067;
inline constexpr int SysChannelColorName = 2069;    // "%s" the channel's name
inline constexpr int SysChannelSwitchName = 2071;
inline constexpr int SysChannelVisibleName = 2073;
inline constexpr int SysChannelBandName = 2075;
inline constexpr int SysChannelUnnamed = 2077;      // "%d" the channel's number
inline constexpr int SysBackgroundUnnamed = 2079;
inline constexpr int SysArtefactCodePageHint = 2081;
inline constexpr int SysArtefactFieldName = 2083;   // "%s" the key, F5 ... F8
inline constexpr int SysPrinterLabel = 2085;
inline constexpr int SysPrinterDefault = 2087;
inline constexpr int SysPrinterPdf = 2089;
inline constexpr int SysUnitGroup = 2091;
inline constexpr int SysPrinterSetupCaption = 2093;

std::span<const core::TextPair> adminTexts();

}  // namespace lumo::txt

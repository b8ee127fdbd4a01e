#!/usr/bin/env bash
# Regenerates the Windows-1251 defaults under data/ (the settings file, the
# sample templates and the sample bank topics) from the UTF-8 texts below.
# The help pages under data/help/ are UTF-8 HTML and are edited directly.
# Usage: tools/make_data.sh   (writes into the data/ folder of this checkout)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
data=$root/data
mkdir -p "$data/QST" "$data/BNK"

# Reads UTF-8 text with LF line ends on stdin and writes it to $1 as
# Windows-1251 with CR LF line ends (written beside the target, then renamed).
emit() {
    local target=$1 tmp
    tmp=$(mktemp "$target.XXXXXX")
    sed 's/$/\r/' | iconv -f UTF-8 -t WINDOWS-1251 > "$tmp"
    mv "$tmp" "$target"
}

# Checks a template file byte for byte: " n. S1.a.Text?" lines, row numbers
# 1, 2, ... right-aligned, answer + or -, text of 1 ... 120 characters ending
# with "?", at most 20 lines. Works on the Windows-1251 bytes (one byte per
# character), so the lengths are character counts.
check_template() {
    LC_ALL=C awk -v file="$1" '
        { sub(/\r$/, "") }
        substr($0, 3, 1) != "." || substr($0, 7, 1) != "." || substr($0, 9, 1) != "." {
            printf "%s:%d: bad separators\n", file, NR; bad = 1 }
        substr($0, 1, 2) != sprintf("%2d", NR) { printf "%s:%d: bad row number\n", file, NR; bad = 1 }
        substr($0, 8, 1) != "+" && substr($0, 8, 1) != "-" { printf "%s:%d: bad answer\n", file, NR; bad = 1 }
        length($0) - 9 < 1 || length($0) - 9 > 120 { printf "%s:%d: text length %d\n", file, NR, length($0) - 9; bad = 1 }
        substr($0, length($0), 1) != "?" { printf "%s:%d: text does not end with ?\n", file, NR; bad = 1 }
        END { if (NR < 5 || NR > 20) { printf "%s: %d questions\n", file, NR; bad = 1 } exit bad }
    ' "$1"
}

# ---------------------------------------------------------------------------
# Settings file. One key=value per line, no blanks around "=", no comments.
# Text settings store blanks as "_". The line "UnitPassword= " ends in one
# blank on purpose: a single blank means "no unit password". The group heads
# of the decision tables for skin conductance are the channel keys ChName5
# and ChName7 themselves, so those two names serve both uses.
emit "$data/lumo7w.ini" <<'EOF'
Language=ENG
SystemPath=.\
MonitorDiagonal=604
ContScroll=TRUE
AutoFit=FALSE
QuestionTime=20
Test_Speed=S
Test_NDiscr=32
ItalChar=<DEFAULT>
ScrlParW0=2
ScrlParW1=2
ScrlParW2=2
ScrlParW3=2
ScrlParW4=1
ScrlParW5=3
ScrlParW6=1
ScrlParW7=2
CompressMode=AUTO
ChSeq0=4
ChSeq1=0
ChSeq2=1
ChSeq3=5
ChSeq4=6
ChSeq5=2
ChSeq6=7
ChSeq7=3
Eng_ChName0=Pulse
Eng_ChName1=Breath-Up
Eng_ChName2=Breath-Low
Eng_ChName3=BloodVol
Eng_ChName4=Pressure
Eng_ChName5=GSC
Eng_ChName6=Tremor
Eng_ChName7=GSC-Phasic
Rus_ChName0=Пульс
Rus_ChName1=Дыхание-В
Rus_ChName2=Дыхание-Н
Rus_ChName3=Кровенап.
Rus_ChName4=Давление
Rus_ChName5=КГР
Rus_ChName6=Тремор
Rus_ChName7=КГР-фаз.
Eng_ChName0_4=Cardio
Eng_ChName1_2=Breath
Rus_ChName0_4=Кардио
Rus_ChName1_2=Дыхание
Eng_ChBackName=Background
Rus_ChBackName=Фон
ChColor0=Red
ChColor1=Aqua
ChColor2=Lime
ChColor3=Fuchsia
ChColor4=Silver
ChColor5=Yellow
ChColor6=White
ChColor7=Olive
ChBackColor=Black
ChVisible0=1
ChVisible1=1
ChVisible2=1
ChVisible3=1
ChVisible4=0
ChVisible5=1
ChVisible6=0
ChVisible7=1
ChSwitch0=1
ChSwitch1=1
ChSwitch2=1
ChSwitch3=1
ChSwitch4=0
ChSwitch5=1
ChSwitch6=0
ChSwitch7=1
IgnoreDisabledChannels=TRUE
ChPolar0=+
ChPolar1=+
ChPolar2=+
ChPolar3=+
ChPolar4=+
ChPolar5=-
ChPolar6=+
ChPolar7=+
Test_iMin0=700
Test_iMax0=850
Test_iMin1=10
Test_iMax1=160
Test_iMin2=170
Test_iMax2=320
Test_iMin3=860
Test_iMax3=990
Test_iMin4=700
Test_iMax4=850
Test_iMin5=330
Test_iMax5=530
Test_iMin6=860
Test_iMax6=990
Test_iMin7=540
Test_iMax7=690
DefScrGain0=5
DefScrGain1=5
DefScrGain2=5
DefScrGain3=5
DefScrGain4=5
DefScrGain5=5
DefScrGain6=5
DefScrGain7=5
SpyDelay0=5000
SpyDelay1=15000
SpyDelay2=15000
SpyDelay3=10000
SpyDelay4=5000
SpyDelay5=20000
SpyDelay6=10000
UnitComPort=1
UnitBaudRate=19200
UnitDevice=SIM
DeviceTimeout=18
DataTimeout=18
UnitPassword= 
RememberPassword=False
NQType=7
Eng_QSign1=R
Eng_QSign2=I
Eng_QSign3=C
Eng_QSign4=N
Eng_QSign5=O
Eng_QSign6=V
Eng_QSign7=*
Rus_QSign1=З
Rus_QSign2=И
Rus_QSign3=К
Rus_QSign4=Н
Rus_QSign5=В
Rus_QSign6=Ж
Rus_QSign7=*
QColor1=Red
QColor2=Fuchsia
QColor3=Lime
QColor4=White
QColor5=Aqua
QColor6=Yellow
QColor7=Gray
NMethod=6
Eng_MName1=Control_test
Eng_MName2=Involvement
Eng_MName3=Knowledge
Eng_MName4=Screening
Eng_MName5=Peak_of_tension
Eng_MName6=Custom
Rus_MName1=Контр._вопросы
Rus_MName2=Причастность
Rus_MName3=Осведомленность
Rus_MName4=Скрининг
Rus_MName5=Пик_напряжения
Rus_MName6=Произвольный
Eng_ParamName1=Rsp.Amp
Eng_ParamName2=Rsp.Rate
Eng_ParamName3=Rsp.Line
Eng_ParamName4=GSC.Peak
Eng_ParamName5=GSC.Span
Eng_ParamName6=GSC.Dev
Eng_ParamName7=Crd.Amp
Eng_ParamName8=Pulse
Eng_ParamName9=Crd.Span
Eng_ParamName10=Vol.Span
Eng_ParamName11=Trm.Span
Eng_ParamName12=Trm.RMS
Rus_ParamName1=Дых.Амп
Rus_ParamName2=Дых.Част
Rus_ParamName3=Дых.Длин
Rus_ParamName4=КГР.Пик
Rus_ParamName5=КГР.Разм
Rus_ParamName6=КГР.Откл
Rus_ParamName7=Крд.Амп
Rus_ParamName8=Пульс
Rus_ParamName9=Крд.Разм
Rus_ParamName10=Кров.Разм
Rus_ParamName11=Трм.Разм
Rus_ParamName12=Трм.СКО
Eng_ErrorMessage0=Excl
Eng_ErrorMessage1=Low
Eng_ErrorMessage2=Err2
Eng_ErrorMessage3=Err3
Eng_ErrorMessage4=NoPwr
Eng_ErrorMessage5=Unrel
Eng_ErrorMessage6=Gaps
Eng_ErrorMessage7=Drop
Eng_ErrorMessage8=Err8
Eng_ErrorMessage9=Err9
Rus_ErrorMessage0=Искл
Rus_ErrorMessage1=Мало
Rus_ErrorMessage2=Ош2
Rus_ErrorMessage3=Ош3
Rus_ErrorMessage4=НетСп
Rus_ErrorMessage5=Ненад
Rus_ErrorMessage6=Пропуск
Rus_ErrorMessage7=Снят
Rus_ErrorMessage8=Ош8
Rus_ErrorMessage9=Ош9
Eng_ScoreQSign1=+3
Eng_ScoreQSign2=+2
Eng_ScoreQSign3=+1
Eng_ScoreQSign4=0
Eng_ScoreQSign5=-1
Eng_ScoreQSign6=-2
Eng_ScoreQSign7=-3
Eng_ScoreQSign8=Af
Rus_ScoreQSign1=+3
Rus_ScoreQSign2=+2
Rus_ScoreQSign3=+1
Rus_ScoreQSign4=0
Rus_ScoreQSign5=-1
Rus_ScoreQSign6=-2
Rus_ScoreQSign7=-3
Rus_ScoreQSign8=Ар
ScoreQColor1=Green
ScoreQColor2=Lime
ScoreQColor3=Silver
ScoreQColor4=Gray
ScoreQColor5=Silver
ScoreQColor6=Red
ScoreQColor7=Maroon
ScoreQColor8=Yellow
Eng_Art5=Move
Eng_Art6=Cough
Eng_Art7=Talk
Eng_Art8=Sigh
Rus_Art5=Движ.
Rus_Art6=Кашель
Rus_Art7=Речь
Rus_Art8=Вздох
MaxSubj=5000
Eng_MaxCrime=10
Eng_Crime1=All_examinees
Eng_Crime2=Theft
Eng_Crime3=Fraud
Eng_Crime4=Embezzlement
Eng_Crime5=Bribery
Eng_Crime6=Assault
Eng_Crime7=Drug_offence
Eng_Crime8=Disclosure
Eng_Crime9=Pre-employment
Eng_Crime10=Other
Rus_MaxCrime=10
Rus_Crime1=Все_субъекты
Rus_Crime2=Кража
Rus_Crime3=Мошенничество
Rus_Crime4=Растрата
Rus_Crime5=Взятка
Rus_Crime6=Нападение
Rus_Crime7=Наркотики
Rus_Crime8=Разглашение
Rus_Crime9=Прием_на_работу
Rus_Crime10=Другое
MaxUser=20
NUser=0
SortOrder=Date
Ascend=False
EOF

# ---------------------------------------------------------------------------
# Sample templates. Method 1: <<[n]-o-(v)-[c-r]-c-(o-[n])>> with r = 3,
# n = 2, o = 2, v = 1 (c = r + 1 = 4).
emit "$data/QST/THEFT.QS1" <<'EOF'
 1. N1.+.Are you sitting down right now?
 2. O1.-.Are you afraid I will ask you a question we have not gone over together?
 3. V1.+.Regarding the money missing from the office safe, do you intend to answer every question truthfully?
 4. C1.-.Before this year, did you ever take anything that did not belong to you?
 5. R1.-.Did you take the money missing from the office safe?
 6. C2.-.Before you started this job, did you ever lie to a person in authority?
 7. R2.-.Did you take any part of the money missing from the office safe?
 8. C3.-.Before this year, did you ever cheat anyone who trusted you?
 9. R3.-.Do you know for sure who took the money missing from the office safe?
10. C4.-.Have you ever done anything dishonest that you never told anyone about?
11. O2.-.Is there something else you are afraid I will ask you, even though I promised not to?
12. N2.+.Are the lights on in this room?
EOF

# Method 2 (Russian): <<[n]-o-(v-[c-r])-<c>-<i>-c-<r>-c-(o-[n])>> with r = 2,
# i = 1, n = 2, o = 1, v = 0 (c = r + 2 = 4).
emit "$data/QST/LEAK.QS2" <<'EOF'
 1. Н1.+.Вы сейчас сидите?
 2. В1.-.Вы опасаетесь, что я задам вопрос, который мы с Вами заранее не обсуждали?
 3. К1.-.До этого года Вы когда-нибудь рассказывали посторонним то, что Вам доверили по секрету?
 4. З1.-.Вы передавали посторонним документы отдела планирования?
 5. К2.-.Вы подозреваете кого-нибудь в передаче посторонним документов отдела планирования?
 6. И1.-.Вы знаете, кто передал посторонним документы отдела планирования?
 7. К3.-.До этого года Вы когда-нибудь обманывали руководство, чтобы избежать неприятностей?
 8. З2.-.Это Вы передали посторонним документы отдела планирования?
 9. К4.-.Вы когда-нибудь нарушали обещание хранить чужую тайну?
10. Н2.+.В этой комнате горит свет?
EOF

# Method 4: <<[n]-[[c]-r-[c]]-([n])>> with r = 3, c = 2 controls per
# relevant question, n = 2.
emit "$data/QST/SCREEN.QS4" <<'EOF'
 1. N1.+.Are you sitting down right now?
 2. C1.-.Before the age of 21, did you ever take anything that was not yours?
 3. R1.-.In the last five years, have you stolen money or goods from an employer?
 4. C2.-.Before this year, did you ever lie to get yourself out of trouble?
 5. C3.-.Before this year, did you ever break a law and get away with it?
 6. R2.-.In the last twelve months, have you used any illegal drug?
 7. C4.-.Before this year, did you ever do something you would be ashamed for your family to know about?
 8. C5.-.Have you ever deliberately deceived someone who trusted you?
 9. R3.-.Did you deliberately leave out or falsify anything on your job application?
10. C6.-.Have you ever told a serious lie to a close friend?
11. N2.+.Are the lights on in this room?
EOF

for template in "$data"/QST/*.QS?; do check_template "$template"; done

# ---------------------------------------------------------------------------
# Sample question bank topics: the topic name (ending with ".") on the first
# line, then one question per line, each ending with "?".
emit "$data/BNK/NEUTRAL.TXT" <<'EOF'
Neutral questions.
Are you sitting down right now?
Are the lights on in this room?
Are you wearing shoes?
Do you understand the questions I am asking you?
Is it daytime now?
Did you go to school as a child?
Is this room warm enough for you?
Are you now in the city where you live?
Did you come here today of your own free will?
EOF

emit "$data/BNK/CONTROL.TXT" <<'EOF'
Control questions on honesty.
Before this year, did you ever take anything that did not belong to you?
Before the age of 25, did you ever lie to get yourself out of trouble?
Before this year, did you ever cheat anyone who trusted you?
Have you ever done anything dishonest that you never told anyone about?
Before your present job, did you ever steal anything from an employer?
Have you ever deliberately deceived someone who trusted you?
Before this year, did you ever break a law and get away with it?
Have you ever told a serious lie to a person in authority?
Before this year, did you ever blame someone else for something you had done?
Have you ever broken a promise to keep a secret?
EOF

echo "data files written under $data"

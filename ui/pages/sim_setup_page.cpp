#include "ui/pages/sim_setup_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "config/page_captions.h"
#include "ui/main/kvx_message_dlg.h"
#include "ui/widgets/page_controls.h"
#include "ui/widgets/phone_number_edit.h"

namespace kvx::ui {

namespace {

constexpr int CustomItem = 0;
constexpr const char* CustomText = "Custom";
constexpr const char* SelectText = "Select";
constexpr const char* NumberRequiredText =
    "A message centre number is required for each SIM.\r"
    "If the cell network does not appear in the menu,\r"
    "please contact the cellular provider for the number\r"
    "and enter it using the custom selection.";

struct TStep {
    const char* Title;
    const char* Heading;
    const char* Text;
};

constexpr std::array<TStep, 3> Steps{{
    {"STEP1", "Disable SIM card PINs",
     "Insert the SIM cards into any mobile phone and disable the SIM PINs before installation (see phone instructions)."},
    {"STEP2", "Single SIM card operation", "Ensure SIM card is inserted into primary SIM card holder SIM1."},
    {"STEP3", "Select message centres",
     "The cellular network SMS message center numbers must be set for each SIM in order to send SMS's."},
}};

// Nothing chosen: the list shows "Select".
void ShowSelect(QComboBox* Box)
{
    Box->setCurrentIndex(-1);
}

QComboBox* NewList(QWidget* Parent, const char* Name, const QRect& Geometry)
{
    auto* box = new QComboBox(Parent);
    box->setObjectName(Name);
    box->setGeometry(Geometry);
    box->setPlaceholderText(SelectText);
    return box;
}

QString FromIni(const std::string& Text) { return QString::fromLatin1(Text.data(), static_cast<qsizetype>(Text.size())); }
std::string ToIni(const QString& Text) { return Text.toLatin1().toStdString(); }

} // namespace

TSimSetupPage::TSimSetupPage(IPageHost& Host, QWidget* Parent, const std::filesystem::path& SMSCFile)
    : TKVXPage(Parent), FHost(Host), FSMSC(TSMSCIni::Load(SMSCFile))
{
    for (size_t i = 0; i < Steps.size(); ++i) {
        const int x = 24 + static_cast<int>(i) * 245;
        NewHeading(this, Steps[i].Title, QRect(x, 12, 220, 20));
        NewHeading(this, Steps[i].Heading, QRect(x, 34, 220, 20));
        NewNote(this, Steps[i].Text, QRect(x, 58, 220, 80));
    }
    Primary.SIM = TSIM::Primary;
    Secondary.SIM = TSIM::Secondary;
    BuildSIMGroup(Primary, 24);
    BuildSIMGroup(Secondary, 400);
    cbSecondarySIM = NewCheckBox(this, "cbSecondarySIM", SecondarySIMCaption, QRect(400, 150, 200, 24));
    connect(cbSecondarySIM, &QCheckBox::clicked, this, [this] { SecondarySIMToggled(); });
    ApplySecondarySIMState();
}

void TSimSetupPage::BuildSIMGroup(TSIMControls& SIM, int X)
{
    const char* suffix = SIM.SIM == TSIM::Primary ? "1" : "2";
    auto name = [suffix](const char* Stem) { return std::string(Stem) + suffix; };
    if (SIM.SIM == TSIM::Primary) NewHeading(this, PrimarySIMCaption, QRect(X, 150, 200, 24));
    SIM.Labels = {NewLabel(this, "Country", QRect(X, 186, 200, 20)), NewLabel(this, "Cellular network", QRect(X, 246, 200, 20)),
                  NewLabel(this, MessageCentreNumberCaption, QRect(X, 306, 200, 20))};
    SIM.cbCountry = NewList(this, name("cbCountry").c_str(), QRect(X, 208, 300, 28));
    SIM.cbCountry->addItem(CustomText);
    for (const std::string& country : FSMSC.CountryNames()) SIM.cbCountry->addItem(FromIni(country));
    ShowSelect(SIM.cbCountry);
    SIM.cbMobileOperator = NewList(this, name("cbMobileOperator").c_str(), QRect(X, 268, 300, 28));
    SIM.cbMobileOperator->setEnabled(false);
    SIM.edMessageCentreNumber = NewPhoneNumberEdit(this, name("edMessageCentreNumber").c_str(), QRect(X, 328, 240, 28),
                                                   [this] { return FHost.DefaultCountryCode(); });
    SIM.edMessageCentreNumber->setEnabled(false);
    SIM.edMessageCentreNumber->setAccessibleName(QString("%1 %2").arg(SIM.SIM == TSIM::Primary ? PrimarySIMCaption : SecondarySIMCaption,
                                                                      QString(MessageCentreNumberCaption).toLower()));
    SIM.btnMessageCentreNumberClear = NewClearButton(this, name("btnMessageCentreNumberClear").c_str(), SIM.edMessageCentreNumber);

    connect(SIM.cbCountry, &QComboBox::activated, this, [this, &SIM] { CountryChosen(SIM); });
    connect(SIM.cbMobileOperator, &QComboBox::activated, this, [this, &SIM] { MobileOperatorChosen(SIM); });
    connect(SIM.edMessageCentreNumber, &QLineEdit::textChanged, this, [this, &SIM] { MessageCentreNumberEdited(SIM); });
}

void TSimSetupPage::ShowCustom(TSIMControls& SIM)
{
    SIM.cbCountry->setCurrentIndex(CustomItem);
    SIM.cbMobileOperator->clear();
    SIM.cbMobileOperator->addItem(CustomText);
    SIM.cbMobileOperator->setCurrentIndex(0);
    SIM.cbMobileOperator->setEnabled(false);
    SIM.edMessageCentreNumber->setEnabled(true);
    SIM.edMessageCentreNumber->setReadOnly(false);
}

void TSimSetupPage::CountryChosen(TSIMControls& SIM)
{
    FHost.MarkConfigChanged();
    if (SIM.cbCountry->currentIndex() == CustomItem) {
        ShowCustom(SIM);
        SIM.edMessageCentreNumber->clear();
        return;
    }
    SIM.cbMobileOperator->clear();
    for (const std::string& network : FSMSC.NetworkNames(ToIni(SIM.cbCountry->currentText())))
        SIM.cbMobileOperator->addItem(FromIni(network));
    SIM.cbMobileOperator->setEnabled(true);
    ShowSelect(SIM.cbMobileOperator);
    SIM.edMessageCentreNumber->clear();
    SIM.edMessageCentreNumber->setReadOnly(true);
}

void TSimSetupPage::MobileOperatorChosen(TSIMControls& SIM)
{
    FHost.MarkConfigChanged();
    SIM.edMessageCentreNumber->setEnabled(true);
    SIM.edMessageCentreNumber->setReadOnly(true);
    SIM.edMessageCentreNumber->setText(
        FromIni(FSMSC.Number(ToIni(SIM.cbCountry->currentText()), ToIni(SIM.cbMobileOperator->currentText()))));
}

void TSimSetupPage::MessageCentreNumberEdited(TSIMControls& SIM)
{
    FHost.MarkConfigChanged();
    UpdateClearButton(SIM);
}

void TSimSetupPage::UpdateClearButton(TSIMControls& SIM)
{
    const bool inUse = SIM.SIM == TSIM::Primary || cbSecondarySIM->isChecked();
    SIM.btnMessageCentreNumberClear->setEnabled(inUse && SIM.cbCountry->currentIndex() == CustomItem &&
                                                !SIM.edMessageCentreNumber->text().isEmpty());
}

void TSimSetupPage::SecondarySIMToggled()
{
    // Ticking or clearing changes SIM2Enable, so it is an edit like any other.
    FHost.MarkConfigChanged();
    ApplySecondarySIMState();
}

void TSimSetupPage::ApplySecondarySIMState()
{
    const bool inUse = cbSecondarySIM->isChecked();
    Secondary.cbCountry->setEnabled(inUse);
    for (QLabel* label : Secondary.Labels) label->setEnabled(inUse);
    if (inUse) {
        UpdateClearButton(Secondary);
        return;
    }
    Secondary.cbMobileOperator->setEnabled(false);
    Secondary.edMessageCentreNumber->setEnabled(false);
    Secondary.edMessageCentreNumber->setReadOnly(false);
    Secondary.btnMessageCentreNumberClear->setEnabled(false);
}

void TSimSetupPage::ShowNumber(TSIMControls& SIM, const QString& Number)
{
    const std::optional<TSMSCMatch> match = FSMSC.FindNumber(ToIni(Number));
    if (!match || match->CountryPosition >= static_cast<size_t>(SIM.cbCountry->count())) {
        ShowCustom(SIM);
        SIM.edMessageCentreNumber->setText(Number);
        return;
    }
    SIM.cbCountry->setCurrentIndex(static_cast<int>(match->CountryPosition));
    SIM.cbMobileOperator->clear();
    for (const std::string& network : FSMSC.NetworkNames(ToIni(SIM.cbCountry->currentText())))
        SIM.cbMobileOperator->addItem(FromIni(network));
    SIM.cbMobileOperator->setCurrentIndex(SIM.cbMobileOperator->findText(FromIni(match->Network)));
    SIM.cbMobileOperator->setEnabled(true);
    SIM.edMessageCentreNumber->setEnabled(true);
    SIM.edMessageCentreNumber->setReadOnly(true);
    SIM.edMessageCentreNumber->setText(Number);
    SIM.btnMessageCentreNumberClear->setEnabled(false);
}

void TSimSetupPage::ConfigToForm(const TKVXConfig& KVXConfig)
{
    cbSecondarySIM->setChecked(false);
    ShowNumber(Primary, QString::fromStdU16String(DecodeServiceCentreNumber(KVXConfig, TSIM::Primary)));
    if (DecodeSecondarySIMEnabled(KVXConfig)) {
        cbSecondarySIM->setChecked(true);
        ShowNumber(Secondary, QString::fromStdU16String(DecodeServiceCentreNumber(KVXConfig, TSIM::Secondary)));
    } else {
        ShowSelect(Secondary.cbCountry);
        Secondary.cbMobileOperator->clear();
        Secondary.edMessageCentreNumber->clear();
    }
    ApplySecondarySIMState();
}

bool TSimSetupPage::FormToConfig(TKVXConfig& KVXConfig, bool ConfigAssistant)
{
    const QString primary = Primary.edMessageCentreNumber->text();
    const QString secondary = Secondary.edMessageCentreNumber->text();
    if (ConfigAssistant && primary.isEmpty() && secondary.isEmpty()) {
        TKVXMessageDlg::ShowMessageEx(NumberRequiredText, TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK}, 0);
        FHost.BringPageForward(SIMSetupPageNo);
        return false;
    }
    const std::string countryCode = FHost.DefaultCountryCode();
    QString problem;
    const auto primaryDigits =
        NumberToStore(primary, countryCode, ConfigAssistant, Primary.edMessageCentreNumber->accessibleName(), problem);
    const auto secondaryDigits =
        primaryDigits ? NumberToStore(secondary, countryCode, ConfigAssistant, Secondary.edMessageCentreNumber->accessibleName(), problem)
                      : std::nullopt;
    if (!primaryDigits || !secondaryDigits) {
        TKVXMessageDlg::ShowMessageEx(problem, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK}, 0);
        FHost.BringPageForward(SIMSetupPageNo);
        (primaryDigits ? Secondary : Primary).edMessageCentreNumber->setFocus(Qt::OtherFocusReason);
        return false;
    }
    EncodeSecondarySIMEnabled(KVXConfig, cbSecondarySIM->isChecked());
    EncodeServiceCentreNumber(KVXConfig, TSIM::Primary, *primaryDigits);
    EncodeServiceCentreNumber(KVXConfig, TSIM::Secondary, *secondaryDigits);
    return true;
}

} // namespace kvx::ui

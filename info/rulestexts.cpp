#include "rulestexts.h"

#include "infoconstants.h"

#include <array>

namespace rulestext {
namespace {

struct Text
{
    Language language;
    const char *html; // %1 the award manager's address, %2 the bank details
};

const std::array<Text, 5> texts{{
    {Language::Italian,
     "<h3>Regolamento del diploma WZP</h3>"
     "<p><b>Chi pu&ograve; richiederlo.</b> Tutti i radioamatori con licenza e, per la classe SWL, gli ascoltatori.</p>"
     "<p><b>Il DOK.</b> Ogni stazione socia del club che rilascia il diploma trasmette, oltre al nominativo, il suo DOK: "
     "il codice del distretto e della sezione locale (per esempio A01). Un cambio di nominativo all'interno del paese "
     "non cambia i DOK gi&agrave; collegati.</p>"
     "<p><b>Classi.</b> Il diploma &egrave; rilasciato per banda, in dieci classi da 100 a 1000 DOK diversi, a passi di "
     "100; le classi per ascoltatori sono uguali. Si pu&ograve; ottenere in modo misto oppure con l'annotazione di un "
     "solo modo (SSB, CW, RTTY, PSK, FM).</p>"
     "<p><b>Condizioni.</b> Per la prima classe servono 100 DOK diversi su una stessa banda. Un DOK vale solo se la "
     "stazione si trovava nel paese al momento del collegamento. Valgono anche i DOK speciali delle stazioni per "
     "eventi.</p>"
     "<p><b>Come richiederlo.</b> Si usa come modulo la lista ufficiale dei DOK, una lista per ogni banda. Le QSL devono "
     "essere verificate dalla propria sezione o da un manager del diploma.</p>"
     "<p><b>Quote.</b> 10 EUR per diploma, 5 EUR per ogni annotazione successiva. Indirizzo: %1. Banca: %2.</p>"},
    {Language::English,
     "<h3>Rules of the WZP award</h3>"
     "<p><b>Who may apply.</b> Every licensed radio amateur and, in the SWL classes, every listener.</p>"
     "<p><b>The DOK.</b> Every member station of the issuing club gives, besides its callsign, its DOK: the code of its "
     "district and local chapter (for example A01). A change of callsign within the country keeps the DOKs already "
     "worked.</p>"
     "<p><b>Classes.</b> The award is issued per band in ten classes of 100 to 1000 different DOKs, in steps of 100; "
     "the listener classes are alike. It is issued for mixed modes or endorsed for a single mode (SSB, CW, RTTY, PSK, "
     "FM).</p>"
     "<p><b>Conditions.</b> The first class needs 100 different DOKs on one band. A DOK counts only for a station that "
     "was inside the country at the time of the contact. Special-event DOKs count as well.</p>"
     "<p><b>How to apply.</b> The official DOK list serves as the application form, one list per band. The QSL cards "
     "are verified by your local club or by an award manager.</p>"
     "<p><b>Fees.</b> 10 EUR per award, 5 EUR per later endorsement. Address: %1. Bank: %2.</p>"},
    {Language::German,
     "<h3>Bedingungen des WZP-Diploms</h3>"
     "<p><b>Wer kann es beantragen.</b> Alle lizenzierten Funkamateure und, in den SWL-Klassen, alle Empf&auml;ngsamateure.</p>"
     "<p><b>Der DOK.</b> Jede Mitgliedsstation des herausgebenden Clubs gibt neben ihrem Rufzeichen ihren DOK: die Kennung "
     "ihres Distrikts und Ortsverbands (zum Beispiel A01). Bei einem Rufzeichenwechsel innerhalb des Landes bleiben die "
     "gearbeiteten DOKs erhalten.</p>"
     "<p><b>Klassen.</b> Das Diplom wird je Band in zehn Klassen von 100 bis 1000 verschiedenen DOKs in Schritten von 100 "
     "ausgegeben; die SWL-Klassen entsprechend. Es gibt es f&uuml;r gemischte Betriebsarten oder mit dem Vermerk einer "
     "einzigen Betriebsart (SSB, CW, RTTY, PSK, FM).</p>"
     "<p><b>Bedingungen.</b> F&uuml;r die erste Klasse sind 100 verschiedene DOKs auf einem Band n&ouml;tig. Ein DOK z&auml;hlt nur "
     "f&uuml;r eine Station, die sich zur Zeit der Verbindung im Land befand. Sonder-DOKs z&auml;hlen ebenfalls.</p>"
     "<p><b>Antrag.</b> Als Antragsformular dient die offizielle DOK-Liste, eine Liste je Band. Die QSL-Karten werden vom "
     "eigenen Ortsverband oder von einem Diplommanager gepr&uuml;ft.</p>"
     "<p><b>Geb&uuml;hren.</b> 10 EUR je Diplom, 5 EUR je sp&auml;teren Vermerk. Anschrift: %1. Bank: %2.</p>"},
    {Language::French,
     "<h3>R&egrave;glement du dipl&ocirc;me WZP</h3>"
     "<p><b>Qui peut le demander.</b> Tout radioamateur licenci&eacute; et, dans les classes SWL, tout radio-&eacute;couteur.</p>"
     "<p><b>Le DOK.</b> Chaque station membre du club &eacute;metteur donne, en plus de son indicatif, son DOK&nbsp;: le code "
     "de son district et de sa section locale (par exemple A01). Un changement d'indicatif &agrave; l'int&eacute;rieur du pays "
     "conserve les DOK d&eacute;j&agrave; contact&eacute;s.</p>"
     "<p><b>Classes.</b> Le dipl&ocirc;me est d&eacute;livr&eacute; par bande en dix classes de 100 &agrave; 1000 DOK diff&eacute;rents, "
     "par pas de 100&nbsp;; les classes d'&eacute;couteurs sont identiques. Il est d&eacute;livr&eacute; en modes mixtes ou avec la "
     "mention d'un seul mode (SSB, CW, RTTY, PSK, FM).</p>"
     "<p><b>Conditions.</b> La premi&egrave;re classe demande 100 DOK diff&eacute;rents sur une m&ecirc;me bande. Un DOK ne compte "
     "que pour une station qui se trouvait dans le pays au moment du contact. Les DOK sp&eacute;ciaux d'&eacute;v&eacute;nement "
     "comptent aussi.</p>"
     "<p><b>Demande.</b> La liste officielle des DOK sert de formulaire, une liste par bande. Les QSL sont v&eacute;rifi&eacute;es "
     "par votre section locale ou par un responsable du dipl&ocirc;me.</p>"
     "<p><b>Frais.</b> 10 EUR par dipl&ocirc;me, 5 EUR par mention suppl&eacute;mentaire. Adresse&nbsp;: %1. Banque&nbsp;: %2.</p>"},
    {Language::Spanish,
     "<h3>Bases del diploma WZP</h3>"
     "<p><b>Qui&eacute;n puede solicitarlo.</b> Todos los radioaficionados con licencia y, en las clases SWL, los radioescuchas.</p>"
     "<p><b>El DOK.</b> Cada estaci&oacute;n socia del club emisor da, adem&aacute;s de su indicativo, su DOK: el c&oacute;digo de su "
     "distrito y de su secci&oacute;n local (por ejemplo A01). Un cambio de indicativo dentro del pa&iacute;s conserva los DOK ya "
     "trabajados.</p>"
     "<p><b>Clases.</b> El diploma se expide por banda en diez clases de 100 a 1000 DOK distintos, de 100 en 100; las "
     "clases de radioescuchas son iguales. Se expide en modos mixtos o con la menci&oacute;n de un solo modo (SSB, CW, RTTY, "
     "PSK, FM).</p>"
     "<p><b>Condiciones.</b> La primera clase requiere 100 DOK distintos en una misma banda. Un DOK solo cuenta para una "
     "estaci&oacute;n que estaba dentro del pa&iacute;s en el momento del contacto. Los DOK especiales de eventos tambi&eacute;n "
     "cuentan.</p>"
     "<p><b>Solicitud.</b> La lista oficial de DOK sirve de formulario, una lista por banda. Las QSL las verifica su "
     "secci&oacute;n local o un responsable del diploma.</p>"
     "<p><b>Cuotas.</b> 10 EUR por diploma, 5 EUR por cada menci&oacute;n posterior. Direcci&oacute;n: %1. Banco: %2.</p>"},
}};

} // namespace

QString rules(Language language)
{
    for (const Text &text : texts) {
        if (text.language == language)
            return QString::fromUtf8(text.html).arg(infotext::awardManagerAddress, infotext::awardBankDetails);
    }
    return {};
}

Language languageFor(const QLocale &locale)
{
    switch (locale.language()) {
    case QLocale::Italian: return Language::Italian;
    case QLocale::German: return Language::German;
    case QLocale::French: return Language::French;
    case QLocale::Spanish: return Language::Spanish;
    default: return Language::English;
    }
}

} // namespace rulestext

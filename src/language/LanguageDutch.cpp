#include "language/LanguageFills.h"

TLanguageDutch::TLanguageDutch() = default;

void TLanguageDutch::LoadTexts()
{
    TLanguageEnglish::LoadTexts();

    SW[0] = QStringLiteral("Nog te verwerken:");
    SW[1] = QStringLiteral("Annuleren");
    SW[2] = QStringLiteral("Voortgang");

    PW[0] = QStringLiteral("Fotovenster");
    PW[1] = QStringLiteral("&Vorige");
    PW[2] = QStringLiteral("Volge&nde");
    PW[3] = QStringLiteral("&Eerste");
    PW[4] = QStringLiteral("&Laatste");
    PW[5] = QStringLiteral("Meer &opties >>");
    PW[6] = QStringLiteral("Lin&ksom draaien");
    PW[7] = QStringLiteral("&Rechtsom draaien");
    PW[8] = QStringLiteral("Fotomap openen in Verkenner");
    PW[9] = QStringLiteral("Foto bekijken met &standaardprogramma");
    PW[10] = QStringLiteral("Schuifbalken tonen.");
    PW[11] = QStringLiteral("De afbeelding is opgeslagen in %s.");
    PW[12] = QStringLiteral("Foto opslaan (als jpg)");
    PW[13] = QStringLiteral("Foto naar klembord kopiëren");
    PW[14] = QStringLiteral("Voor elke foto een nieuw venster openen");
    PW[15] = QStringLiteral("Alle fotovensters sluiten");

    PL[0] = QStringLiteral("Miniatuur maken van:");
    PL[1] = QStringLiteral("Miniatuur bijwerken van:");
    PL[2] = QStringLiteral("Op station %s kunnen geen miniaturen worden gemaakt.");

    AM[0] = QStringLiteral("Controleren:");

    SS[0] = QStringLiteral("Diavoorstelling");
    SS[1] = QStringLiteral("Resterende seconden:");
    SS[2] = QStringLiteral("&Pauze");
    SS[3] = QStringLiteral("&Doorgaan");
    SS[4] = QStringLiteral("&Opties");
    SS[5] = QStringLiteral("Fotomap openen in &Verkenner");
    SS[6] = QStringLiteral("Foto bekijken met &standaardprogramma");
    SS[7] = QStringLiteral("Diavoorstelling");

    RS[0] = QStringLiteral("Tavrimolex - Instellingen voor hernoemen");
    RS[1] = QStringLiteral("Nieuwe naam:");
    RS[2] = QStringLiteral("Beginvolgnummer:");
    RS[3] = QStringLiteral("Actie:");
    RS[4] = QStringLiteral("Bestandsnaam ve&rvangen door de nieuwe naam");
    RS[5] = QStringLiteral("Nieuwe naam aan het &eind toevoegen");
    RS[6] = QStringLiteral("Nieuwe naam aan het &begin invoegen");
    RS[7] = QStringLiteral("&Annuleren");
    RS[8] = QStringLiteral("typ hier de nieuwe naam");
    RS[9] = QStringLiteral("&Ok");

    SP[0] = QStringLiteral("Voer een tekst in en klik nogmaals op de knop.");
    SP[1] = QStringLiteral("Geen tekst ingevoerd.");
    SP[2] = QStringLiteral("%s bestaat al, voer een andere tekst in.");
    SP[3] = QStringLiteral("Tekst kan niet worden gebruikt.");
    SP[4] = QStringLiteral("Het geselecteerde item in de lijst en de ingevoerde tekst zijn gelijk.");
    SP[5] = QStringLiteral("Gelijke teksten.");
    SP[6] = QStringLiteral("%s bestaat al, voer een andere tekst in.");
    SP[7] = QStringLiteral("Tekst kan niet worden gebruikt.");
    SP[8] = QStringLiteral("Selecteer een item in de lijst en klik nogmaals op de knop.");
    SP[9] = QStringLiteral("Geen item geselecteerd.");

    HG[0] = QStringLiteral("Welkom bij Tavrimolex %s - vind uw favoriete foto's snel en eenvoudig.");
    HG[1] = QStringLiteral("De albums kunnen niet worden geopend of er zijn geen albums. HTML kan niet worden gemaakt.");
    HG[2] = QStringLiteral("Een aantal albums kan niet worden geopend of er zijn geen albums. Wilt u doorgaan?");
    HG[3] = QStringLiteral("Een aantal foto's kan niet worden gevonden. Wilt u doorgaan?");
    HG[4] = QStringLiteral("De benodigde mappen kunnen niet worden aangemaakt. Selecteer een andere map in stap 2.");
    HG[5] = QStringLiteral("Er is een fout opgetreden bij het maken van miniaturen en het kopiëren van foto's.");
    HG[6] = QStringLiteral("Het css bestand (cascading style sheet) kan niet worden gemaakt.");
    HG[7] = QStringLiteral("Het indexbestand kan niet worden gemaakt.");
    HG[8] = QStringLiteral("Het topbestand kan niet worden gemaakt.");
    HG[9] = QStringLiteral("Het lijstbestand kan niet worden gemaakt.");
    HG[10] = QStringLiteral("De html bestanden voor de miniaturen kunnen niet worden gemaakt.");
    HG[11] = QStringLiteral("De html bestanden voor de foto's kunnen niet worden gemaakt.");
    HG[12] = QStringLiteral("Er zijn geen albums geselecteerd!");
    HG[13] = QStringLiteral("Album %s kan niet worden geopend of bestaat niet!");
    HG[14] = QStringLiteral("Foto %s bestaat niet!");
    HG[15] = QStringLiteral("De albums bevatten geen foto's die gemarkeerd zijn voor gebruik in html albums!");
    HG[16] = QStringLiteral("Geen foto's gevonden!");
    HG[17] = QStringLiteral("Map %s kan niet worden aangemaakt!");
    HG[18] = QStringLiteral("Map %s bestaat niet!");
    HG[19] = QStringLiteral("Miniatuur van %s kan niet worden gemaakt.");
    HG[20] = QStringLiteral("Foto %s kan niet worden gekopieerd.");
    HG[21] = QStringLiteral("Foto %s kan niet worden geladen.");
    HG[22] = QStringLiteral("CSS bestand aangemaakt in %s");
    HG[23] = QStringLiteral("Indexbestand aangemaakt in %s.");
    HG[24] = QStringLiteral("Topbestand aangemaakt in %s.");
    HG[25] = QStringLiteral("Albums:");
    HG[26] = QStringLiteral("Objecten:");
    HG[27] = QStringLiteral("Gebeurtenissen:");
    HG[28] = QStringLiteral("Jaren:");
    HG[29] = QStringLiteral("Beschrijvingen:");
    HG[30] = QStringLiteral("Lijstbestand aangemaakt in %s.");
    HG[31] = QStringLiteral("Album");
    HG[32] = QStringLiteral("Object");
    HG[33] = QStringLiteral("Gebeurtenis");
    HG[34] = QStringLiteral("Jaar");
    HG[35] = QStringLiteral("Beschrijving");
    HG[36] = QStringLiteral("Aantal foto's:");
    HG[37] = QStringLiteral("Serie:");
    HG[38] = QStringLiteral("vorige serie");
    HG[39] = QStringLiteral("volgende serie");
    HG[40] = QStringLiteral("van");
    HG[41] = QStringLiteral("miniaturen");
    HG[42] = QStringLiteral("vorige foto");
    HG[43] = QStringLiteral("volgende foto");
    HG[44] = QStringLiteral("originele foto");
    HG[45] = QStringLiteral("Fotobeschrijving:");
    HG[46] = QStringLiteral("Albumbeschrijving:");
    HG[47] = QStringLiteral("Foto:");
    HG[48] = QStringLiteral("Jaar:");
    HG[49] = QStringLiteral("Album:");
    HG[50] = QStringLiteral("Map %s is aangemaakt");
    HG[51] = QStringLiteral("Selecteer....");
    HG[52] = QStringLiteral("geen items!");
    HG[53] = QStringLiteral("Welkom bij Tavrimolex");
    HG[54] = QStringLiteral("Er is een fout opgetreden bij het kopiëren van foto's.");
    HG[55] = QStringLiteral("Er zijn geen albums geselecteerd!");
    HG[56] = QStringLiteral("Klik hier.");
    HG[57] = QStringLiteral("eerste");
    HG[58] = QStringLiteral("laatste");
    HG[59] = QStringLiteral("<< vorige");
    HG[60] = QStringLiteral("volgende >>");
    HG[61] = QStringLiteral("Afbeeldingsbestanden voor de diavoorstelling konden niet worden gemaakt.");
    HG[62] = QStringLiteral("JavaScript bestand kon niet worden gemaakt.");
    HG[63] = QStringLiteral("Diavoorstelling starten");
    HG[64] = QStringLiteral("Stoppen");
    HG[65] = QStringLiteral("Map %s kon niet worden aangemaakt.");
    HG[66] = QStringLiteral("Willekeurig");

    PLF[0] = QStringLiteral("De naam van het nieuwe album is hetzelfde als het huidige album.\r\rVoer a.u.b. een andere naam in of selecteer een andere map.");
    PLF[1] = QStringLiteral("Het nieuwe album als huidig album gebruiken?");
    PLF[2] = QStringLiteral("&Nieuw album maken");
    PLF[3] = QStringLiteral("&Miniaturen tonen");
    PLF[4] = QStringLiteral("&Sluiten");
    PLF[5] = QStringLiteral("&Foto's naar andere locatie kopiëren");
    PLF[6] = QStringLiteral("Houd de Ctrl-toets ingedrukt om meer dan één foto te selecteren.");
    PLF[7] = QStringLiteral("Tavrimolex - Foto's");
    PLF[8] = QStringLiteral("Kan de foto niet vinden op uw computer.");
    PLF[9] = QStringLiteral("Foto niet gevonden.");
    PLF[10] = QStringLiteral("Kopiëren:");
    PLF[11] = QStringLiteral("Kopiëren van foto's voltooid!");

    DF[0] = QStringLiteral("Submap maken");
    DF[1] = QStringLiteral("Voer de naam van de submap in:");
    DF[2] = QStringLiteral("Kan submap %s niet maken.");
    DF[3] = QStringLiteral("Selecteer een station en een map, klik op ok om uw keuze te bevestigen.");
    DF[4] = QStringLiteral("Station:");
    DF[5] = QStringLiteral("Mappen:");
    DF[6] = QStringLiteral("&Nieuw");
    DF[7] = QStringLiteral("&Annuleren");
    DF[8] = QStringLiteral("&Ok");
    DF[9] = QStringLiteral("Map selecteren");
}

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Home Page: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</source>
        <translation>Webseite: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Support: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</source>
        <translation>Hilfe: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Copyright © 2026 %1. All rights reserved.</source>
        <translation>Copyright © 2026 %1. Alle Rechte vorbehalten.</translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>Version: </translation>
    </message>
</context>
<context>
    <name>CLinkOpener</name>
    <message>
        <source>No web browser could be started to show the help page. You can open it yourself: %1</source>
        <translation>Es konnte kein Webbrowser gestartet werden, um die Hilfe anzuzeigen. Sie können sie selbst öffnen: %1</translation>
    </message>
    <message>
        <source>No web browser could be started to open %1. The help page is at: %2</source>
        <translation>Es konnte kein Webbrowser gestartet werden, um %1 zu öffnen. Die Hilfe liegt hier: %2</translation>
    </message>
</context>
<context>
    <name>MainDialog</name>
    <message>
        <source>Could not initialize the connection to your iPhone!&lt;br&gt;Please try the following:&lt;br&gt;  * unlock the iPhone and keep it unlocked&lt;br&gt;  * when the iPhone asks whether to trust this computer, tap Trust&lt;br&gt;  * disconnect the iPhone and connect it again&lt;br&gt;&lt;br&gt;The phone service usbmuxd must be installed and running (on Debian and Ubuntu: the package &quot;usbmuxd&quot;).</source>
        <translation>Die Verbindung zu Ihrem iPhone konnte nicht hergestellt werden!&lt;br&gt;Versuchen Sie Folgendes:&lt;br&gt;  * Entsperren Sie das iPhone und lassen Sie es entsperrt&lt;br&gt;  * Wenn das iPhone fragt, ob es diesem Computer vertrauen soll, tippen Sie auf „Vertrauen“&lt;br&gt;  * Trennen Sie das iPhone und schließen Sie es wieder an&lt;br&gt;&lt;br&gt;Der Telefondienst usbmuxd muss installiert sein und laufen (unter Debian und Ubuntu: das Paket „usbmuxd“).</translation>
    </message>
    <message>
        <source>Could not initialize the connection to your iPhone/iTouch!&lt;br&gt;You may get this error if you try to connect a device that has never been attached to iTunes on this computer.&lt;br&gt;Please try the following:&lt;br&gt;  * close this application and detach your device from the computer&lt;br&gt;  * start iTunes&lt;br&gt;  * connect the device&lt;br&gt;  * after it shows up in iTunes, exit iTunes (no need to sync or transfer anything&lt;br&gt;)  * restart this application.&lt;br&gt;&lt;br&gt;Sorry for this inconvenience, it is caused by Apple&apos;s technical restrictions...</source>
        <translation>Die Verbindung zu Ihrem iPhone/iPod touch konnte nicht hergestellt werden!&lt;br&gt;Dieser Fehler kann auftreten, wenn Sie ein Gerät anschließen, das noch nie mit iTunes auf diesem Computer verbunden war.&lt;br&gt;Bitte gehen Sie so vor:&lt;br&gt;  * schließen Sie dieses Programm und trennen Sie das Gerät vom Computer&lt;br&gt;  * starten Sie iTunes&lt;br&gt;  * schließen Sie das Gerät an&lt;br&gt;  * sobald es in iTunes erscheint, beenden Sie iTunes (Synchronisieren oder Übertragen ist nicht nötig)&lt;br&gt;  * starten Sie dieses Programm neu.&lt;br&gt;&lt;br&gt;Wir bitten um Entschuldigung; die Ursache sind technische Beschränkungen von Apple...</translation>
    </message>
    <message>
        <source>&amp;Manage...</source>
        <translation>&amp;Verwalten...</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;HomePage</source>
        <translation>&amp;Webseite</translation>
    </message>
    <message>
        <source>You should install iTunes to transfer ringtone to iPhone.</source>
        <translation>Installieren Sie iTunes, um Klingeltöne auf das iPhone zu übertragen.</translation>
    </message>
    <message>
        <source>Please connect your iPhone to this computer.</source>
        <translation>Bitte schließen Sie Ihr iPhone an diesen Computer an.</translation>
    </message>
    <message>
        <source>iTunes version too low, at least 7.3 is needed.</source>
        <translation>Die iTunes-Version ist zu alt, mindestens 7.3 wird benötigt.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Ready.</source>
        <translation>Bereit.</translation>
    </message>
    <message>
        <source>Volume: %1x</source>
        <translation>Lautstärke: %1x</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>All Supported Formats</source>
        <translation>Alle unterstützten Formate</translation>
    </message>
    <message>
        <source>Supported Video</source>
        <translation>Unterstützte Videoformate</translation>
    </message>
    <message>
        <source>Supported Audio</source>
        <translation>Unterstützte Audioformate</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Invalid input file</source>
        <translation>Ungültige Quelldatei</translation>
    </message>
    <message>
        <source>File is loading, please wait...</source>
        <translation>Datei wird geladen, bitte warten...</translation>
    </message>
    <message>
        <source>File loaded.</source>
        <translation>Datei geladen.</translation>
    </message>
    <message>
        <source>Conversion failed.</source>
        <translation>Umwandlung fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Making the ringtone, please wait...</source>
        <translation>Klingelton wird erstellt, bitte warten...</translation>
    </message>
    <message>
        <source>The clip is too short: move its end further from its start.</source>
        <translation>Der Ausschnitt ist zu kurz: Ende weiter vom Anfang wegschieben.</translation>
    </message>
    <message>
        <source>The output folder cannot be written to: choose another one.</source>
        <translation>Ausgabeordner nicht beschreibbar: bitte einen anderen wählen.</translation>
    </message>
    <message>
        <source>The disk of the output folder is full.</source>
        <translation>Der Datenträger des Ausgabeordners ist voll.</translation>
    </message>
    <message>
        <source>The input file is gone.</source>
        <translation>Die Eingabedatei ist nicht mehr vorhanden.</translation>
    </message>
    <message>
        <source>The input file has no sound.</source>
        <translation>Die Eingabedatei enthält keinen Ton.</translation>
    </message>
    <message>
        <source>The input file is damaged or not a media file.</source>
        <translation>Die Eingabedatei ist beschädigt oder keine Mediendatei.</translation>
    </message>
    <message>
        <source>The clip holds no sound.</source>
        <translation>Der Ausschnitt enthält keinen Ton.</translation>
    </message>
    <message>
        <source>Conversion succeed.</source>
        <translation>Umwandlung erfolgreich.</translation>
    </message>
    <message>
        <source>Transfer failed.</source>
        <translation>Übertragung fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Transfer succeed.</source>
        <translation>Übertragung erfolgreich.</translation>
    </message>
    <message>
        <source>Select a folder to store output file.</source>
        <translation>Wählen Sie den Ordner für die Ausgabedatei.</translation>
    </message>
    <message>
        <source>Tonquill</source>
        <translation>Tonquill</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Ausschnitt anhören</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>Input File:</source>
        <translation>Quelldatei:</translation>
    </message>
    <message>
        <source>&lt;img src=&quot;:/images/tool.png&quot; /&gt;&lt;a href=&quot;x&quot;&gt;&lt;font color=#ffffff&gt;Manage&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&quot;:/images/tool.png&quot; /&gt;&lt;a href=&quot;x&quot;&gt;&lt;font color=#ffffff&gt;Verwalten&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/help.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Help&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/help.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Hilfe&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/home.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Home&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/home.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Webseite&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/about.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;About&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/about.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Über&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Export to iPhone</source>
        <translation>Auf das iPhone</translation>
    </message>
    <message>
        <source>Export to iTunes</source>
        <translation>In iTunes öffnen</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>Anfang:</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>Ende:</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>Länge:</translation>
    </message>
    <message>
        <source>Local Output Folder:</source>
        <translation>Zielordner:</translation>
    </message>
    <message>
        <source>Output Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Fade in:</source>
        <translation>Fade-In:</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Erzeugen</translation>
    </message>
    <message>
        <source>An iPhone lists ringtones only up to 40 seconds: shorten the clip, or the phone will not offer it.</source>
        <translation>Ein iPhone listet Klingeltöne nur bis 40 Sekunden: Kürzen Sie den Ausschnitt, sonst bietet das Telefon ihn nicht an.</translation>
    </message>
    <message>
        <source>Done, but the ringtone is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>Fertig, aber der Klingelton ist länger als 40 Sekunden: Das iPhone listet ihn nicht.</translation>
    </message>
    <message>
        <source>Seconds the ringtone takes to rise from silence</source>
        <translation>Sekunden, in denen der Klingelton aus der Stille ansteigt</translation>
    </message>
    <message>
        <source>The waveform could not be made.</source>
        <translation>Die Wellenform konnte nicht erstellt werden.</translation>
    </message>
    <message>
        <source>The ringtone could not be named; its sound was kept as an .m4a file.</source>
        <translation>Der Klingelton konnte nicht umbenannt werden; sein Ton wurde als .m4a-Datei behalten.</translation>
    </message>
    <message>
        <source>The ringtone could not be saved as &quot;%1&quot; (%2).

Its sound was kept in:
%3</source>
        <translation>Der Klingelton konnte nicht als „%1“ gespeichert werden (%2).

Sein Ton wurde behalten in:
%3</translation>
    </message>
    <message>
        <source>Sent to the iPhone, but the ringtone is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>Auf das iPhone übertragen, aber der Klingelton ist länger als 40 Sekunden: Das iPhone listet ihn nicht.</translation>
    </message>
    <message>
        <source>The volume is 0: the ringtone would be silent.</source>
        <translation>Die Lautstärke ist 0: Der Klingelton wäre stumm.</translation>
    </message>
    <message>
        <source>The fade-in lasts the whole clip: the ringtone would never reach full volume.</source>
        <translation>Das Einblenden dauert den ganzen Ausschnitt: Der Klingelton erreicht nie die volle Lautstärke.</translation>
    </message>
    <message>
        <source>No sound device was found: the preview plays silently.</source>
        <translation>Kein Audiogerät gefunden: Die Vorschau läuft ohne Ton.</translation>
    </message>
    <message>
        <source>Your iPhone does not trust this computer.</source>
        <translation>Ihr iPhone vertraut diesem Computer nicht.</translation>
    </message>
    <message>
        <source>Your iPhone could not be connected.</source>
        <translation>Ihr iPhone konnte nicht verbunden werden.</translation>
    </message>
    <message>
        <source>The phone service usbmuxd is not running.</source>
        <translation>Der Telefondienst usbmuxd läuft nicht.</translation>
    </message>
    <message>
        <source>Your iPhone cannot be reached: the phone service usbmuxd does not answer.&lt;br&gt;Install usbmuxd (on Debian and Ubuntu: the package &quot;usbmuxd&quot;) and plug the phone in again.</source>
        <translation>Ihr iPhone ist nicht erreichbar: Der Telefondienst usbmuxd antwortet nicht.&lt;br&gt;Installieren Sie usbmuxd (unter Debian und Ubuntu: das Paket „usbmuxd“) und schließen Sie das Telefon erneut an.</translation>
    </message>
    <message>
        <source>The phone module is missing: no iPhone can be connected.</source>
        <translation>Das Telefonmodul fehlt: Es kann kein iPhone verbunden werden.</translation>
    </message>
    <message>
        <source>Tonquill could not load its phone module (libtonquill_usbphone.so), so it cannot reach an iPhone.&lt;br&gt;Install Tonquill again. Ringtones are still made in the output folder.</source>
        <translation>Tonquill konnte sein Telefonmodul (libtonquill_usbphone.so) nicht laden und kann daher kein iPhone erreichen.&lt;br&gt;Installieren Sie Tonquill erneut. Klingeltöne werden weiterhin im Ausgabeordner erstellt.</translation>
    </message>
    <message>
        <source>Unlock your iPhone to connect it.</source>
        <translation>Entsperren Sie Ihr iPhone, um es zu verbinden.</translation>
    </message>
    <message>
        <source>Your iPhone is locked with a passcode.&lt;br&gt;Unlock it and keep it unlocked: it connects by itself.</source>
        <translation>Ihr iPhone ist mit einem Code gesperrt.&lt;br&gt;Entsperren Sie es und lassen Sie es entsperrt: Es verbindet sich von selbst.</translation>
    </message>
    <message>
        <source>Tap Trust on your iPhone to connect it.</source>
        <translation>Tippen Sie auf Ihrem iPhone auf „Vertrauen“, um es zu verbinden.</translation>
    </message>
    <message>
        <source>Your iPhone asks whether to trust this computer.&lt;br&gt;Unlock it, tap Trust and enter the passcode: it connects by itself.</source>
        <translation>Ihr iPhone fragt, ob es diesem Computer vertrauen soll.&lt;br&gt;Entsperren Sie es, tippen Sie auf „Vertrauen“ und geben Sie den Code ein: Es verbindet sich von selbst.</translation>
    </message>
    <message>
        <source>Your iPhone was told not to trust this computer.&lt;br&gt;Disconnect the iPhone and connect it again, then tap Trust when it asks.</source>
        <translation>Ihr iPhone wurde angewiesen, diesem Computer nicht zu vertrauen.&lt;br&gt;Trennen Sie das iPhone, schließen Sie es wieder an und tippen Sie auf „Vertrauen“, wenn es fragt.</translation>
    </message>
    <message>
        <source>Your iPhone no longer accepts this computer&apos;s pairing.&lt;br&gt;With the iPhone connected and unlocked, run &quot;idevicepair unpair&quot; and then &quot;idevicepair pair&quot; (package &quot;libimobiledevice-utils&quot;) and tap Trust on the iPhone: it then connects by itself.</source>
        <translation>Ihr iPhone akzeptiert die Kopplung mit diesem Computer nicht mehr.&lt;br&gt;Führen Sie bei angeschlossenem und entsperrtem iPhone „idevicepair unpair“ und danach „idevicepair pair“ aus (Paket „libimobiledevice-utils“) und tippen Sie auf dem iPhone auf „Vertrauen“: Dann verbindet es sich von selbst.</translation>
    </message>
    <message>
        <source>Your iPhone&apos;s file service could not be started.</source>
        <translation>Der Dateidienst Ihres iPhones konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Your iPhone trusts this computer but did not start its file service.&lt;br&gt;Disconnect the iPhone and connect it again; if that does not help, restart the iPhone.</source>
        <translation>Ihr iPhone vertraut diesem Computer, hat aber seinen Dateidienst nicht gestartet.&lt;br&gt;Trennen Sie das iPhone und schließen Sie es wieder an; hilft das nicht, starten Sie das iPhone neu.</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone is full.</source>
        <translation>Übertragung fehlgeschlagen: Das iPhone ist voll.</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone did not allow the ringtone to be written.</source>
        <translation>Übertragung fehlgeschlagen: Das iPhone hat das Schreiben des Klingeltons nicht erlaubt.</translation>
    </message>
    <message>
        <source>Transfer failed: another program is syncing with the iPhone; try again later.</source>
        <translation>Übertragung fehlgeschlagen: Ein anderes Programm synchronisiert das iPhone; versuchen Sie es später erneut.</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone was disconnected during the transfer.</source>
        <translation>Übertragung fehlgeschlagen: Das iPhone wurde während der Übertragung getrennt.</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone&apos;s ringtone list cannot be read; the phone is unchanged.</source>
        <translation>Übertragung fehlgeschlagen: Die Klingeltonliste des iPhones ist nicht lesbar; das Telefon bleibt unverändert.</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>Schleife</translation>
    </message>
    <message>
        <source>Play Clip plays the clip over and over, as the phone rings it</source>
        <translation>Ausschnitt anhören spielt den Ausschnitt immer wieder, wie das Telefon ihn klingeln lässt</translation>
    </message>
    <message>
        <source>Ctrl+wheel zooms, the wheel or a drag on empty space scrolls, a double-click shows the whole file.
Click a handle or the clip, then Left/Right move it by 10 ms (Shift: 100 ms, Ctrl: 1 s), Home/End to the file&apos;s ends.</source>
        <translation>Strg+Mausrad zoomt, das Mausrad oder Ziehen auf freier Fläche verschiebt, ein Doppelklick zeigt die ganze Datei.
Klicken Sie einen Griff oder den Ausschnitt an; dann verschieben ihn Links/Rechts um 10 ms (Umschalt: 100 ms, Strg: 1 s), Pos1/Ende an die Enden der Datei.</translation>
    </message>
    <message>
        <source>Seconds the ringtone takes to fall to silence at its end</source>
        <translation>Sekunden, in denen der Klingelton an seinem Ende verklingt</translation>
    </message>
    <message>
        <source>Fade out:</source>
        <translation>Fade-Out:</translation>
    </message>
    <message>
        <source>The volume is 0: the ringtone would be silent. Make it anyway?</source>
        <translation>Die Lautstärke ist 0: Der Klingelton wäre stumm. Trotzdem erstellen?</translation>
    </message>
    <message>
        <source>A ringtone is being made. Close Tonquill and stop making it?</source>
        <translation>Ein Klingelton wird gerade erzeugt. Tonquill schließen und das Erzeugen abbrechen?</translation>
    </message>
    <message>
        <source>Apple Mobile Device Service is not running.</source>
        <translation>Apple Mobile Device Service läuft nicht.</translation>
    </message>
    <message>
        <source>Your iPhone cannot be reached: Apple Mobile Device Service does not answer.&lt;br&gt;Install iTunes (or Apple&apos;s device support alone, &quot;Apple Mobile Device Support&quot;), make sure the service &quot;Apple Mobile Device Service&quot; is running, and plug the phone in again.</source>
        <translation>Ihr iPhone ist nicht erreichbar: Apple Mobile Device Service antwortet nicht.&lt;br&gt;Installieren Sie iTunes (oder nur Apples Geräteunterstützung, „Apple Mobile Device Support“), sorgen Sie dafür, dass der Dienst „Apple Mobile Device Service“ läuft, und schließen Sie das Telefon erneut an.</translation>
    </message>
    <message>
        <source>Tonquill could not load its phone module (tonquill_usbphone.dll), so it cannot reach an iPhone.&lt;br&gt;Install Tonquill again. Ringtones are still made in the output folder.</source>
        <translation>Tonquill konnte sein Telefonmodul (tonquill_usbphone.dll) nicht laden und kann daher kein iPhone erreichen.&lt;br&gt;Installieren Sie Tonquill erneut. Klingeltöne werden weiterhin im Ausgabeordner erstellt.</translation>
    </message>
    <message>
        <source>Your iPhone no longer accepts this computer&apos;s pairing.&lt;br&gt;Connect the iPhone to iTunes once, unlock it and tap Trust when it asks; then close iTunes: the iPhone connects by itself.</source>
        <translation>Ihr iPhone akzeptiert die Kopplung mit diesem Computer nicht mehr.&lt;br&gt;Verbinden Sie das iPhone einmal mit iTunes, entsperren Sie es und tippen Sie auf „Vertrauen“, wenn es fragt; schließen Sie dann iTunes: Das iPhone verbindet sich von selbst.</translation>
    </message>
</context>
<context>
    <name>ManageDialog</name>
    <message>
        <source>Ringtone Formats(*.m4a;*.m4r)</source>
        <translation>Klingeltöne(*.m4a;*.m4r)</translation>
    </message>
    <message>
        <source>No iPhone connected.</source>
        <translation>Kein iPhone verbunden.</translation>
    </message>
    <message>
        <source>No ringtones on this iPhone yet.</source>
        <translation>Noch keine Klingeltöne auf diesem iPhone.</translation>
    </message>
    <message>
        <source>The ringtone list on this iPhone cannot be read.</source>
        <translation>Die Klingeltonliste dieses iPhones kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The iPhone was disconnected.</source>
        <translation>Die Verbindung zum iPhone wurde getrennt.</translation>
    </message>
    <message>
        <source>“%1” is no longer on the iPhone.</source>
        <translation>„%1“ ist nicht mehr auf dem iPhone.</translation>
    </message>
    <message>
        <source>The iPhone is full.</source>
        <translation>Das iPhone ist voll.</translation>
    </message>
    <message>
        <source>The disk is full.</source>
        <translation>Der Datenträger ist voll.</translation>
    </message>
    <message>
        <source>The iPhone or this computer denied access to the file.</source>
        <translation>Das iPhone oder dieser Computer hat den Zugriff auf die Datei verweigert.</translation>
    </message>
    <message>
        <source>You have no permission to write to that folder.</source>
        <translation>Sie haben keine Berechtigung, in diesen Ordner zu schreiben.</translation>
    </message>
    <message>
        <source>Another program is syncing with the iPhone. Try again when it has finished.</source>
        <translation>Ein anderes Programm synchronisiert gerade mit dem iPhone. Versuchen Sie es erneut, wenn es fertig ist.</translation>
    </message>
    <message>
        <source>The ringtone is no longer on the iPhone.</source>
        <translation>Der Klingelton ist nicht mehr auf dem iPhone.</translation>
    </message>
    <message>
        <source>The list was out of date; it now shows what the iPhone holds.</source>
        <translation>Die Liste war nicht mehr aktuell; sie zeigt jetzt, was auf dem iPhone ist.</translation>
    </message>
    <message>
        <source>The name cannot be any longer.</source>
        <translation>Der Name kann nicht länger werden.</translation>
    </message>
    <message>
        <source>The file cannot be used as a ringtone.</source>
        <translation>Die Datei kann nicht als Klingelton verwendet werden.</translation>
    </message>
    <message>
        <source>That file name cannot be used.</source>
        <translation>Dieser Dateiname kann nicht verwendet werden.</translation>
    </message>
    <message>
        <source>The iPhone could not be read or written.</source>
        <translation>Das iPhone konnte nicht gelesen oder beschrieben werden.</translation>
    </message>
    <message>
        <source>The file could not be written.</source>
        <translation>Die Datei konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>A ringtone needs a name.</source>
        <translation>Ein Klingelton braucht einen Namen.</translation>
    </message>
    <message>
        <source>Could not rename “%1”.</source>
        <translation>„%1“ konnte nicht umbenannt werden.</translation>
    </message>
    <message>
        <source>Could not remove “%1”.</source>
        <translation>„%1“ konnte nicht entfernt werden.</translation>
    </message>
    <message>
        <source>“%1” is not a playable audio file.</source>
        <translation>„%1“ ist keine abspielbare Audiodatei.</translation>
    </message>
    <message>
        <source>Could not replace the sound of “%1”.</source>
        <translation>Der Klang von „%1“ konnte nicht ersetzt werden.</translation>
    </message>
    <message>
        <source>Replaced the sound of “%1”.</source>
        <translation>Der Klang von „%1“ wurde ersetzt.</translation>
    </message>
    <message>
        <source>Could not save “%1” to %2.</source>
        <translation>„%1“ konnte nicht unter %2 gespeichert werden.</translation>
    </message>
    <message>
        <source>Saved “%1” as %2.</source>
        <translation>„%1“ als %2 gespeichert.</translation>
    </message>
    <message>
        <source>Could not add “%1”.</source>
        <translation>„%1“ konnte nicht hinzugefügt werden.</translation>
    </message>
    <message>
        <source>The new ringtones could not be stored on the iPhone.</source>
        <translation>Die neuen Klingeltöne konnten nicht auf dem iPhone gespeichert werden.</translation>
    </message>
    <message>
        <source>Ringtones added: %1.</source>
        <translation>Hinzugefügte Klingeltöne: %1.</translation>
    </message>
    <message>
        <source>Converting “%1”: %2 %</source>
        <translation>„%1“ wird umgewandelt: %2 %</translation>
    </message>
    <message>
        <source>Preparing, please wait...</source>
        <translation>Wird vorbereitet, bitte warten...</translation>
    </message>
    <message>
        <source>“%1” could not be made into a ringtone (%2).</source>
        <translation>Aus „%1“ konnte kein Klingelton erstellt werden (%2).</translation>
    </message>
    <message>
        <source>“%1” is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>„%1“ ist länger als 40 Sekunden: Das iPhone wird ihn nicht anzeigen.</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <comment>Translate this string to the string &apos;LTR&apos; in left-to-right languages or to &apos;RTL&apos; in right-to-left languages (such as Hebrew and Arabic) to get proper widget layout.</comment>
        <translation>LTR</translation>
    </message>
</context>
<context>
    <name>QxLanguage</name>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Tonquill is already running but does not answer yet; it may be busy. This message closes by itself once it answers. Press OK to stop waiting.</source>
        <translation>Tonquill läuft bereits, antwortet aber noch nicht; vielleicht ist es beschäftigt. Diese Meldung schließt sich von selbst, sobald es antwortet. Mit OK hören Sie auf zu warten.</translation>
    </message>
</context>
<context>
    <name>manageDlg</name>
    <message>
        <source>Manage</source>
        <translation>Verwalten</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Name :</source>
        <translation>Name :</translation>
    </message>
    <message>
        <source>Manage ringtones on your iPhone.</source>
        <translation>Klingeltöne auf Ihrem iPhone verwalten.</translation>
    </message>
    <message>
        <source>Save To PC</source>
        <translation>Auf PC sichern</translation>
    </message>
    <message>
        <source>Add To iPhone</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
</context>
</TS>

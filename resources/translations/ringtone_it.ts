<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Home Page: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</source>
        <translation>Sito web: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Support: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</source>
        <translation>Assistenza: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Copyright © 2026 %1. All rights reserved.</source>
        <translation>Copyright © 2026 %1. Tutti i diritti riservati.</translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>Versione: </translation>
    </message>
</context>
<context>
    <name>CLinkOpener</name>
    <message>
        <source>No web browser could be started to show the help page. You can open it yourself: %1</source>
        <translation>Impossibile avviare un browser web per mostrare la guida. Puoi aprirla tu stesso: %1</translation>
    </message>
    <message>
        <source>No web browser could be started to open %1. The help page is at: %2</source>
        <translation>Impossibile avviare un browser web per aprire %1. La guida si trova qui: %2</translation>
    </message>
</context>
<context>
    <name>MainDialog</name>
    <message>
        <source>Could not initialize the connection to your iPhone!&lt;br&gt;Please try the following:&lt;br&gt;  * unlock the iPhone and keep it unlocked&lt;br&gt;  * when the iPhone asks whether to trust this computer, tap Trust&lt;br&gt;  * disconnect the iPhone and connect it again&lt;br&gt;&lt;br&gt;The phone service usbmuxd must be installed and running (on Debian and Ubuntu: the package &quot;usbmuxd&quot;).</source>
        <translation>Impossibile inizializzare la connessione con l&apos;iPhone!&lt;br&gt;Provare quanto segue:&lt;br&gt;  * sbloccare l&apos;iPhone e tenerlo sbloccato&lt;br&gt;  * quando l&apos;iPhone chiede se considerare attendibile questo computer, toccare Autorizza&lt;br&gt;  * scollegare l&apos;iPhone e ricollegarlo&lt;br&gt;&lt;br&gt;Il servizio telefono usbmuxd deve essere installato e in esecuzione (su Debian e Ubuntu: il pacchetto &quot;usbmuxd&quot;).</translation>
    </message>
    <message>
        <source>Could not initialize the connection to your iPhone/iTouch!&lt;br&gt;You may get this error if you try to connect a device that has never been attached to iTunes on this computer.&lt;br&gt;Please try the following:&lt;br&gt;  * close this application and detach your device from the computer&lt;br&gt;  * start iTunes&lt;br&gt;  * connect the device&lt;br&gt;  * after it shows up in iTunes, exit iTunes (no need to sync or transfer anything&lt;br&gt;)  * restart this application.&lt;br&gt;&lt;br&gt;Sorry for this inconvenience, it is caused by Apple&apos;s technical restrictions...</source>
        <translation>Impossibile stabilire la connessione con l&apos;iPhone/iPod touch!&lt;br&gt;Questo errore può comparire se si collega un dispositivo che non è mai stato collegato a iTunes su questo computer.&lt;br&gt;Provare così:&lt;br&gt;  * chiudere questa applicazione e scollegare il dispositivo dal computer&lt;br&gt;  * avviare iTunes&lt;br&gt;  * collegare il dispositivo&lt;br&gt;  * quando compare in iTunes, uscire da iTunes (non serve sincronizzare né trasferire nulla)&lt;br&gt;  * riavviare questa applicazione.&lt;br&gt;&lt;br&gt;Ci scusiamo per l&apos;inconveniente, dovuto a limitazioni tecniche di Apple...</translation>
    </message>
    <message>
        <source>&amp;Manage...</source>
        <translation>&amp;Gestisci...</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Informazioni</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Guida</translation>
    </message>
    <message>
        <source>&amp;HomePage</source>
        <translation>&amp;Sito web</translation>
    </message>
    <message>
        <source>You should install iTunes to transfer ringtone to iPhone.</source>
        <translation>Installare iTunes per trasferire la suoneria sull&apos;iPhone.</translation>
    </message>
    <message>
        <source>Please connect your iPhone to this computer.</source>
        <translation>Collegare l&apos;iPhone a questo computer.</translation>
    </message>
    <message>
        <source>iTunes version too low, at least 7.3 is needed.</source>
        <translation>Versione di iTunes troppo vecchia, serve almeno la 7.3.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Lingua</translation>
    </message>
    <message>
        <source>Ready.</source>
        <translation>Pronto.</translation>
    </message>
    <message>
        <source>Volume: %1x</source>
        <translation>Volume: %1x</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Tutti i file</translation>
    </message>
    <message>
        <source>All Supported Formats</source>
        <translation>Tutti i formati supportati</translation>
    </message>
    <message>
        <source>Supported Video</source>
        <translation>Video supportati</translation>
    </message>
    <message>
        <source>Supported Audio</source>
        <translation>Audio supportati</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Apri</translation>
    </message>
    <message>
        <source>Invalid input file</source>
        <translation>File sorgente non valido</translation>
    </message>
    <message>
        <source>File is loading, please wait...</source>
        <translation>Caricamento del file, attendere...</translation>
    </message>
    <message>
        <source>File loaded.</source>
        <translation>File caricato.</translation>
    </message>
    <message>
        <source>Conversion failed.</source>
        <translation>Conversione non riuscita.</translation>
    </message>
    <message>
        <source>Making the ringtone, please wait...</source>
        <translation>Creazione della suoneria in corso, attendere...</translation>
    </message>
    <message>
        <source>The clip is too short: move its end further from its start.</source>
        <translation>La clip è troppo corta: allontana la fine dall&apos;inizio.</translation>
    </message>
    <message>
        <source>The output folder cannot be written to: choose another one.</source>
        <translation>Impossibile scrivere nella cartella di output: scegline un&apos;altra.</translation>
    </message>
    <message>
        <source>The disk of the output folder is full.</source>
        <translation>Il disco della cartella di output è pieno.</translation>
    </message>
    <message>
        <source>The input file is gone.</source>
        <translation>Il file di input non esiste più.</translation>
    </message>
    <message>
        <source>The input file has no sound.</source>
        <translation>Il file di input non ha audio.</translation>
    </message>
    <message>
        <source>The input file is damaged or not a media file.</source>
        <translation>Il file di input è danneggiato o non è un file multimediale.</translation>
    </message>
    <message>
        <source>The clip holds no sound.</source>
        <translation>La clip non contiene audio.</translation>
    </message>
    <message>
        <source>Conversion succeed.</source>
        <translation>Conversione riuscita.</translation>
    </message>
    <message>
        <source>Transfer failed.</source>
        <translation>Trasferimento non riuscito.</translation>
    </message>
    <message>
        <source>Transfer succeed.</source>
        <translation>Trasferimento riuscito.</translation>
    </message>
    <message>
        <source>Select a folder to store output file.</source>
        <translation>Scegliere la cartella in cui salvare il file.</translation>
    </message>
    <message>
        <source>Tonquill</source>
        <translation>Tonquill</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Riduci a icona</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Riproduci</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Ascolta la clip</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Sfoglia...</translation>
    </message>
    <message>
        <source>Input File:</source>
        <translation>File sorgente:</translation>
    </message>
    <message>
        <source>&lt;img src=&quot;:/images/tool.png&quot; /&gt;&lt;a href=&quot;x&quot;&gt;&lt;font color=#ffffff&gt;Manage&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&quot;:/images/tool.png&quot; /&gt;&lt;a href=&quot;x&quot;&gt;&lt;font color=#ffffff&gt;Gestisci&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/help.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Help&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/help.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Guida&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/home.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Home&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/home.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Sito web&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/about.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;About&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/about.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Informazioni&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Export to iPhone</source>
        <translation>Invia all&apos;iPhone</translation>
    </message>
    <message>
        <source>Export to iTunes</source>
        <translation>Apri in iTunes</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>Inizio:</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>Fine:</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>Durata:</translation>
    </message>
    <message>
        <source>Local Output Folder:</source>
        <translation>Cartella di uscita:</translation>
    </message>
    <message>
        <source>Output Name:</source>
        <translation>Nome:</translation>
    </message>
    <message>
        <source>Fade in:</source>
        <translation>Fade-in:</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Genera</translation>
    </message>
    <message>
        <source>An iPhone lists ringtones only up to 40 seconds: shorten the clip, or the phone will not offer it.</source>
        <translation>Un iPhone elenca solo suonerie fino a 40 secondi: accorcia la clip, altrimenti il telefono non la proporrà.</translation>
    </message>
    <message>
        <source>Done, but the ringtone is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>Fatto, ma la suoneria supera i 40 secondi: l&apos;iPhone non la elencherà.</translation>
    </message>
    <message>
        <source>Seconds the ringtone takes to rise from silence</source>
        <translation>Secondi che la suoneria impiega a salire dal silenzio</translation>
    </message>
    <message>
        <source>The waveform could not be made.</source>
        <translation>Impossibile creare la forma d&apos;onda.</translation>
    </message>
    <message>
        <source>The ringtone could not be named; its sound was kept as an .m4a file.</source>
        <translation>Impossibile rinominare la suoneria; il suo audio è stato conservato come file .m4a.</translation>
    </message>
    <message>
        <source>The ringtone could not be saved as &quot;%1&quot; (%2).

Its sound was kept in:
%3</source>
        <translation>Impossibile salvare la suoneria come «%1» (%2).

Il suo audio è stato conservato in:
%3</translation>
    </message>
    <message>
        <source>Sent to the iPhone, but the ringtone is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>Inviata all’iPhone, ma la suoneria dura più di 40 secondi: l’iPhone non la elencherà.</translation>
    </message>
    <message>
        <source>The volume is 0: the ringtone would be silent.</source>
        <translation>Il volume è 0: la suoneria sarebbe muta.</translation>
    </message>
    <message>
        <source>The fade-in lasts the whole clip: the ringtone would never reach full volume.</source>
        <translation>La dissolvenza in entrata dura tutto il brano: la suoneria non raggiungerebbe mai il volume pieno.</translation>
    </message>
    <message>
        <source>No sound device was found: the preview plays silently.</source>
        <translation>Nessun dispositivo audio trovato: l’anteprima viene riprodotta senza suono.</translation>
    </message>
    <message>
        <source>Your iPhone does not trust this computer.</source>
        <translation>L&apos;iPhone non considera attendibile questo computer.</translation>
    </message>
    <message>
        <source>Your iPhone could not be connected.</source>
        <translation>Impossibile collegare l&apos;iPhone.</translation>
    </message>
    <message>
        <source>The phone service usbmuxd is not running.</source>
        <translation>Il servizio telefono usbmuxd non è in esecuzione.</translation>
    </message>
    <message>
        <source>Your iPhone cannot be reached: the phone service usbmuxd does not answer.&lt;br&gt;Install usbmuxd (on Debian and Ubuntu: the package &quot;usbmuxd&quot;) and plug the phone in again.</source>
        <translation>L&apos;iPhone non è raggiungibile: il servizio telefono usbmuxd non risponde.&lt;br&gt;Installare usbmuxd (su Debian e Ubuntu: il pacchetto &quot;usbmuxd&quot;) e ricollegare il telefono.</translation>
    </message>
    <message>
        <source>The phone module is missing: no iPhone can be connected.</source>
        <translation>Il modulo telefono manca: nessun iPhone può essere collegato.</translation>
    </message>
    <message>
        <source>Tonquill could not load its phone module (libtonquill_usbphone.so), so it cannot reach an iPhone.&lt;br&gt;Install Tonquill again. Ringtones are still made in the output folder.</source>
        <translation>Tonquill non ha potuto caricare il suo modulo telefono (libtonquill_usbphone.so) e quindi non può raggiungere alcun iPhone.&lt;br&gt;Reinstallare Tonquill. Le suonerie vengono comunque create nella cartella di destinazione.</translation>
    </message>
    <message>
        <source>Unlock your iPhone to connect it.</source>
        <translation>Sbloccare l&apos;iPhone per collegarlo.</translation>
    </message>
    <message>
        <source>Your iPhone is locked with a passcode.&lt;br&gt;Unlock it and keep it unlocked: it connects by itself.</source>
        <translation>L&apos;iPhone è bloccato con un codice.&lt;br&gt;Sbloccarlo e tenerlo sbloccato: si collega da solo.</translation>
    </message>
    <message>
        <source>Tap Trust on your iPhone to connect it.</source>
        <translation>Toccare Autorizza sull&apos;iPhone per collegarlo.</translation>
    </message>
    <message>
        <source>Your iPhone asks whether to trust this computer.&lt;br&gt;Unlock it, tap Trust and enter the passcode: it connects by itself.</source>
        <translation>L&apos;iPhone chiede se considerare attendibile questo computer.&lt;br&gt;Sbloccarlo, toccare Autorizza e inserire il codice: si collega da solo.</translation>
    </message>
    <message>
        <source>Your iPhone was told not to trust this computer.&lt;br&gt;Disconnect the iPhone and connect it again, then tap Trust when it asks.</source>
        <translation>All&apos;iPhone è stato indicato di non considerare attendibile questo computer.&lt;br&gt;Scollegare l&apos;iPhone e ricollegarlo, poi toccare Autorizza quando lo chiede.</translation>
    </message>
    <message>
        <source>Your iPhone no longer accepts this computer&apos;s pairing.&lt;br&gt;With the iPhone connected and unlocked, run &quot;idevicepair unpair&quot; and then &quot;idevicepair pair&quot; (package &quot;libimobiledevice-utils&quot;) and tap Trust on the iPhone: it then connects by itself.</source>
        <translation>L&apos;iPhone non accetta più l&apos;abbinamento con questo computer.&lt;br&gt;Con l&apos;iPhone collegato e sbloccato, eseguire &quot;idevicepair unpair&quot; e poi &quot;idevicepair pair&quot; (pacchetto &quot;libimobiledevice-utils&quot;) e toccare Autorizza sull&apos;iPhone: a quel punto si collega da solo.</translation>
    </message>
    <message>
        <source>Your iPhone&apos;s file service could not be started.</source>
        <translation>Impossibile avviare il servizio file dell&apos;iPhone.</translation>
    </message>
    <message>
        <source>Your iPhone trusts this computer but did not start its file service.&lt;br&gt;Disconnect the iPhone and connect it again; if that does not help, restart the iPhone.</source>
        <translation>L&apos;iPhone considera attendibile questo computer ma non ha avviato il suo servizio file.&lt;br&gt;Scollegare l&apos;iPhone e ricollegarlo; se non basta, riavviare l&apos;iPhone.</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>Ciclo</translation>
    </message>
    <message>
        <source>Play Clip plays the clip over and over, as the phone rings it</source>
        <translation>L&apos;ascolto dell&apos;estratto lo ripete all&apos;infinito, come lo farà squillare il telefono</translation>
    </message>
    <message>
        <source>Ctrl+wheel zooms, the wheel or a drag on empty space scrolls, a double-click shows the whole file.
Click a handle or the clip, then Left/Right move it by 10 ms (Shift: 100 ms, Ctrl: 1 s), Home/End to the file&apos;s ends.</source>
        <translation>Ctrl+rotellina ingrandisce, la rotellina o un trascinamento su uno spazio vuoto scorre, un doppio clic mostra tutto il file.
Fate clic su una maniglia o sull&apos;estratto; Sinistra/Destra lo spostano di 10 ms (Maiusc: 100 ms, Ctrl: 1 s), Inizio/Fine agli estremi del file.</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone is full.</source>
        <translation>Trasferimento non riuscito: l&apos;iPhone è pieno.</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone did not allow the ringtone to be written.</source>
        <translation>Trasferimento non riuscito: l&apos;iPhone non ha consentito di scrivere la suoneria.</translation>
    </message>
    <message>
        <source>Transfer failed: another program is syncing with the iPhone; try again later.</source>
        <translation>Trasferimento non riuscito: un altro programma sta sincronizzando l&apos;iPhone; riprova più tardi.</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone was disconnected during the transfer.</source>
        <translation>Trasferimento non riuscito: l&apos;iPhone è stato scollegato durante il trasferimento.</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone&apos;s ringtone list cannot be read; the phone is unchanged.</source>
        <translation>Trasferimento non riuscito: impossibile leggere l&apos;elenco delle suonerie dell&apos;iPhone; il telefono non è stato modificato.</translation>
    </message>
    <message>
        <source>Fade out:</source>
        <translation>Fade-out:</translation>
    </message>
    <message>
        <source>Seconds the ringtone takes to fall to silence at its end</source>
        <translation>Secondi che la suoneria impiega a spegnersi alla fine</translation>
    </message>
    <message>
        <source>The volume is 0: the ringtone would be silent. Make it anyway?</source>
        <translation>Il volume è 0: la suoneria sarebbe muta. Crearla comunque?</translation>
    </message>
    <message>
        <source>A ringtone is being made. Close Tonquill and stop making it?</source>
        <translation>È in corso la creazione di una suoneria. Chiudere Tonquill e interromperla?</translation>
    </message>
    <message>
        <source>Apple Mobile Device Service is not running.</source>
        <translation>Apple Mobile Device Service non è in esecuzione.</translation>
    </message>
    <message>
        <source>Your iPhone cannot be reached: Apple Mobile Device Service does not answer.&lt;br&gt;Install iTunes (or Apple&apos;s device support alone, &quot;Apple Mobile Device Support&quot;), make sure the service &quot;Apple Mobile Device Service&quot; is running, and plug the phone in again.</source>
        <translation>L&apos;iPhone non è raggiungibile: Apple Mobile Device Service non risponde.&lt;br&gt;Installare iTunes (o solo il supporto dispositivi di Apple, &quot;Apple Mobile Device Support&quot;), verificare che il servizio &quot;Apple Mobile Device Service&quot; sia in esecuzione e ricollegare il telefono.</translation>
    </message>
    <message>
        <source>Tonquill could not load its phone module (tonquill_usbphone.dll), so it cannot reach an iPhone.&lt;br&gt;Install Tonquill again. Ringtones are still made in the output folder.</source>
        <translation>Tonquill non ha potuto caricare il suo modulo telefono (tonquill_usbphone.dll) e quindi non può raggiungere alcun iPhone.&lt;br&gt;Reinstallare Tonquill. Le suonerie vengono comunque create nella cartella di destinazione.</translation>
    </message>
    <message>
        <source>Your iPhone no longer accepts this computer&apos;s pairing.&lt;br&gt;Connect the iPhone to iTunes once, unlock it and tap Trust when it asks; then close iTunes: the iPhone connects by itself.</source>
        <translation>L&apos;iPhone non accetta più l&apos;abbinamento con questo computer.&lt;br&gt;Collegare una volta l&apos;iPhone a iTunes, sbloccarlo e toccare Autorizza quando lo chiede; poi chiudere iTunes: l&apos;iPhone si collega da solo.</translation>
    </message>
</context>
<context>
    <name>ManageDialog</name>
    <message>
        <source>Ringtone Formats(*.m4a;*.m4r)</source>
        <translation>Suonerie(*.m4a;*.m4r)</translation>
    </message>
    <message>
        <source>No iPhone connected.</source>
        <translation>Nessun iPhone collegato.</translation>
    </message>
    <message>
        <source>No ringtones on this iPhone yet.</source>
        <translation>Ancora nessuna suoneria su questo iPhone.</translation>
    </message>
    <message>
        <source>The ringtone list on this iPhone cannot be read.</source>
        <translation>Impossibile leggere l&apos;elenco delle suonerie di questo iPhone.</translation>
    </message>
    <message>
        <source>The iPhone was disconnected.</source>
        <translation>L&apos;iPhone è stato scollegato.</translation>
    </message>
    <message>
        <source>“%1” is no longer on the iPhone.</source>
        <translation>«%1» non è più sull&apos;iPhone.</translation>
    </message>
    <message>
        <source>The iPhone is full.</source>
        <translation>L&apos;iPhone è pieno.</translation>
    </message>
    <message>
        <source>The disk is full.</source>
        <translation>Il disco è pieno.</translation>
    </message>
    <message>
        <source>The iPhone or this computer denied access to the file.</source>
        <translation>L&apos;iPhone o questo computer ha negato l&apos;accesso al file.</translation>
    </message>
    <message>
        <source>You have no permission to write to that folder.</source>
        <translation>Non hai il permesso di scrivere in quella cartella.</translation>
    </message>
    <message>
        <source>Another program is syncing with the iPhone. Try again when it has finished.</source>
        <translation>Un altro programma sta sincronizzando l&apos;iPhone. Riprova quando avrà finito.</translation>
    </message>
    <message>
        <source>The ringtone is no longer on the iPhone.</source>
        <translation>La suoneria non è più sull&apos;iPhone.</translation>
    </message>
    <message>
        <source>The list was out of date; it now shows what the iPhone holds.</source>
        <translation>L&apos;elenco non era aggiornato; ora mostra ciò che c&apos;è sull&apos;iPhone.</translation>
    </message>
    <message>
        <source>The name cannot be any longer.</source>
        <translation>Il nome non può essere più lungo.</translation>
    </message>
    <message>
        <source>The file cannot be used as a ringtone.</source>
        <translation>Il file non può essere usato come suoneria.</translation>
    </message>
    <message>
        <source>That file name cannot be used.</source>
        <translation>Quel nome di file non può essere usato.</translation>
    </message>
    <message>
        <source>The iPhone could not be read or written.</source>
        <translation>Impossibile leggere o scrivere sull&apos;iPhone.</translation>
    </message>
    <message>
        <source>The file could not be written.</source>
        <translation>Impossibile scrivere il file.</translation>
    </message>
    <message>
        <source>A ringtone needs a name.</source>
        <translation>Una suoneria deve avere un nome.</translation>
    </message>
    <message>
        <source>Could not rename “%1”.</source>
        <translation>Impossibile rinominare «%1».</translation>
    </message>
    <message>
        <source>Could not remove “%1”.</source>
        <translation>Impossibile rimuovere «%1».</translation>
    </message>
    <message>
        <source>“%1” is not a playable audio file.</source>
        <translation>«%1» non è un file audio riproducibile.</translation>
    </message>
    <message>
        <source>Could not replace the sound of “%1”.</source>
        <translation>Impossibile sostituire il suono di «%1».</translation>
    </message>
    <message>
        <source>Replaced the sound of “%1”.</source>
        <translation>Suono di «%1» sostituito.</translation>
    </message>
    <message>
        <source>Could not save “%1” to %2.</source>
        <translation>Impossibile salvare «%1» in %2.</translation>
    </message>
    <message>
        <source>Saved “%1” as %2.</source>
        <translation>«%1» salvata come %2.</translation>
    </message>
    <message>
        <source>Could not add “%1”.</source>
        <translation>Impossibile aggiungere «%1».</translation>
    </message>
    <message>
        <source>The new ringtones could not be stored on the iPhone.</source>
        <translation>Impossibile memorizzare le nuove suonerie sull&apos;iPhone.</translation>
    </message>
    <message>
        <source>Ringtones added: %1.</source>
        <translation>Suonerie aggiunte: %1.</translation>
    </message>
    <message>
        <source>Converting “%1”: %2 %</source>
        <translation>Conversione di “%1”: %2 %</translation>
    </message>
    <message>
        <source>Preparing, please wait...</source>
        <translation>Preparazione in corso, attendere...</translation>
    </message>
    <message>
        <source>“%1” could not be made into a ringtone (%2).</source>
        <translation>Impossibile creare una suoneria da “%1” (%2).</translation>
    </message>
    <message>
        <source>“%1” is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>“%1” dura più di 40 secondi: l’iPhone non la mostrerà.</translation>
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
        <translation>Lingua</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Tonquill is already running but does not answer yet; it may be busy. This message closes by itself once it answers. Press OK to stop waiting.</source>
        <translation>Tonquill è già in esecuzione ma non risponde ancora; potrebbe essere occupato. Questo messaggio si chiuderà da solo non appena risponderà. Premere OK per smettere di attendere.</translation>
    </message>
</context>
<context>
    <name>manageDlg</name>
    <message>
        <source>Manage</source>
        <translation>Gestisci</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Rinomina</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Rimuovi</translation>
    </message>
    <message>
        <source>Name :</source>
        <translation>Nome :</translation>
    </message>
    <message>
        <source>Manage ringtones on your iPhone.</source>
        <translation>Gestisci le suonerie dell&apos;iPhone.</translation>
    </message>
    <message>
        <source>Save To PC</source>
        <translation>Salva su PC</translation>
    </message>
    <message>
        <source>Add To iPhone</source>
        <translation>Aggiungi</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Sostituisci</translation>
    </message>
</context>
</TS>

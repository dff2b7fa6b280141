<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Home Page: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</source>
        <translation>Site web : &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Support: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</source>
        <translation>Assistance : &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Copyright © 2026 %1. All rights reserved.</source>
        <translation>Copyright © 2026 %1. Tous droits réservés.</translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>Version : </translation>
    </message>
</context>
<context>
    <name>CLinkOpener</name>
    <message>
        <source>No web browser could be started to show the help page. You can open it yourself: %1</source>
        <translation>Aucun navigateur web n’a pu être lancé pour afficher l’aide. Vous pouvez l’ouvrir vous-même : %1</translation>
    </message>
    <message>
        <source>No web browser could be started to open %1. The help page is at: %2</source>
        <translation>Aucun navigateur web n’a pu être lancé pour ouvrir %1. L’aide se trouve ici : %2</translation>
    </message>
</context>
<context>
    <name>MainDialog</name>
    <message>
        <source>Could not initialize the connection to your iPhone!&lt;br&gt;Please try the following:&lt;br&gt;  * unlock the iPhone and keep it unlocked&lt;br&gt;  * when the iPhone asks whether to trust this computer, tap Trust&lt;br&gt;  * disconnect the iPhone and connect it again&lt;br&gt;&lt;br&gt;The phone service usbmuxd must be installed and running (on Debian and Ubuntu: the package &quot;usbmuxd&quot;).</source>
        <translation>Impossible d&apos;initialiser la connexion à votre iPhone !&lt;br&gt;Essayez ceci :&lt;br&gt;  * déverrouillez l&apos;iPhone et laissez-le déverrouillé&lt;br&gt;  * lorsque l&apos;iPhone demande s&apos;il faut faire confiance à cet ordinateur, touchez « Se fier »&lt;br&gt;  * débranchez l&apos;iPhone puis rebranchez-le&lt;br&gt;&lt;br&gt;Le service téléphone usbmuxd doit être installé et lancé (sous Debian et Ubuntu : le paquet « usbmuxd »).</translation>
    </message>
    <message>
        <source>Could not initialize the connection to your iPhone/iTouch!&lt;br&gt;You may get this error if you try to connect a device that has never been attached to iTunes on this computer.&lt;br&gt;Please try the following:&lt;br&gt;  * close this application and detach your device from the computer&lt;br&gt;  * start iTunes&lt;br&gt;  * connect the device&lt;br&gt;  * after it shows up in iTunes, exit iTunes (no need to sync or transfer anything&lt;br&gt;)  * restart this application.&lt;br&gt;&lt;br&gt;Sorry for this inconvenience, it is caused by Apple&apos;s technical restrictions...</source>
        <translation>Impossible d&apos;établir la connexion avec votre iPhone/iPod touch !&lt;br&gt;Cette erreur peut survenir si vous connectez un appareil qui n&apos;a jamais été relié à iTunes sur cet ordinateur.&lt;br&gt;Essayez ceci :&lt;br&gt;  * fermez cette application et débranchez l&apos;appareil de l&apos;ordinateur&lt;br&gt;  * lancez iTunes&lt;br&gt;  * branchez l&apos;appareil&lt;br&gt;  * quand il apparaît dans iTunes, quittez iTunes (inutile de synchroniser ou de transférer quoi que ce soit)&lt;br&gt;  * relancez cette application.&lt;br&gt;&lt;br&gt;Désolé pour ce désagrément, il est dû aux restrictions techniques d&apos;Apple...</translation>
    </message>
    <message>
        <source>&amp;Manage...</source>
        <translation>&amp;Gérer...</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;HomePage</source>
        <translation>&amp;Site web</translation>
    </message>
    <message>
        <source>You should install iTunes to transfer ringtone to iPhone.</source>
        <translation>Installez iTunes pour transférer la sonnerie vers l&apos;iPhone.</translation>
    </message>
    <message>
        <source>Please connect your iPhone to this computer.</source>
        <translation>Veuillez connecter votre iPhone à cet ordinateur.</translation>
    </message>
    <message>
        <source>iTunes version too low, at least 7.3 is needed.</source>
        <translation>Version d&apos;iTunes trop ancienne, la version 7.3 au moins est nécessaire.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Ready.</source>
        <translation>Prêt.</translation>
    </message>
    <message>
        <source>Volume: %1x</source>
        <translation>Volume : %1x</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Tous les fichiers</translation>
    </message>
    <message>
        <source>All Supported Formats</source>
        <translation>Tous les formats pris en charge</translation>
    </message>
    <message>
        <source>Supported Video</source>
        <translation>Vidéo prise en charge</translation>
    </message>
    <message>
        <source>Supported Audio</source>
        <translation>Audio pris en charge</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Invalid input file</source>
        <translation>Fichier source non valide</translation>
    </message>
    <message>
        <source>File is loading, please wait...</source>
        <translation>Chargement du fichier, veuillez patienter...</translation>
    </message>
    <message>
        <source>File loaded.</source>
        <translation>Fichier chargé.</translation>
    </message>
    <message>
        <source>Conversion failed.</source>
        <translation>La conversion a échoué.</translation>
    </message>
    <message>
        <source>Making the ringtone, please wait...</source>
        <translation>Création de la sonnerie, veuillez patienter...</translation>
    </message>
    <message>
        <source>The clip is too short: move its end further from its start.</source>
        <translation>L&apos;extrait est trop court : éloignez sa fin de son début.</translation>
    </message>
    <message>
        <source>The output folder cannot be written to: choose another one.</source>
        <translation>Impossible d&apos;écrire dans le dossier de sortie : choisissez-en un autre.</translation>
    </message>
    <message>
        <source>The disk of the output folder is full.</source>
        <translation>Le disque du dossier de sortie est plein.</translation>
    </message>
    <message>
        <source>The input file is gone.</source>
        <translation>Le fichier d&apos;entrée a disparu.</translation>
    </message>
    <message>
        <source>The input file has no sound.</source>
        <translation>Le fichier d&apos;entrée n&apos;a pas de son.</translation>
    </message>
    <message>
        <source>The input file is damaged or not a media file.</source>
        <translation>Le fichier d&apos;entrée est endommagé ou n&apos;est pas un fichier multimédia.</translation>
    </message>
    <message>
        <source>The clip holds no sound.</source>
        <translation>L&apos;extrait ne contient aucun son.</translation>
    </message>
    <message>
        <source>Conversion succeed.</source>
        <translation>Conversion réussie.</translation>
    </message>
    <message>
        <source>Transfer failed.</source>
        <translation>Le transfert a échoué.</translation>
    </message>
    <message>
        <source>Transfer succeed.</source>
        <translation>Transfert réussi.</translation>
    </message>
    <message>
        <source>Select a folder to store output file.</source>
        <translation>Choisissez le dossier où enregistrer le fichier.</translation>
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
        <translation>Réduire</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Lecture</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Écouter l&apos;extrait</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Parcourir...</translation>
    </message>
    <message>
        <source>Input File:</source>
        <translation>Fichier :</translation>
    </message>
    <message>
        <source>&lt;img src=&quot;:/images/tool.png&quot; /&gt;&lt;a href=&quot;x&quot;&gt;&lt;font color=#ffffff&gt;Manage&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&quot;:/images/tool.png&quot; /&gt;&lt;a href=&quot;x&quot;&gt;&lt;font color=#ffffff&gt;Gérer&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/help.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Help&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/help.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Aide&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/home.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Home&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/home.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Site web&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/about.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;About&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/about.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;À propos&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Export to iPhone</source>
        <translation>Envoyer vers l&apos;iPhone</translation>
    </message>
    <message>
        <source>Export to iTunes</source>
        <translation>Ouvrir dans iTunes</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>Début :</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>Fin :</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>Durée :</translation>
    </message>
    <message>
        <source>Local Output Folder:</source>
        <translation>Dossier de sortie :</translation>
    </message>
    <message>
        <source>Output Name:</source>
        <translation>Nom de sortie :</translation>
    </message>
    <message>
        <source>Fade in:</source>
        <translation>Fondu entrant&#xa0;:</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Générer</translation>
    </message>
    <message>
        <source>An iPhone lists ringtones only up to 40 seconds: shorten the clip, or the phone will not offer it.</source>
        <translation>Un iPhone ne liste que les sonneries de 40 secondes au plus : raccourcissez l&apos;extrait, sinon le téléphone ne le proposera pas.</translation>
    </message>
    <message>
        <source>Done, but the ringtone is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>Terminé, mais la sonnerie dépasse 40 secondes : l&apos;iPhone ne la listera pas.</translation>
    </message>
    <message>
        <source>Seconds the ringtone takes to rise from silence</source>
        <translation>Secondes pendant lesquelles la sonnerie monte depuis le silence</translation>
    </message>
    <message>
        <source>The waveform could not be made.</source>
        <translation>Impossible de créer la forme d&apos;onde.</translation>
    </message>
    <message>
        <source>The ringtone could not be named; its sound was kept as an .m4a file.</source>
        <translation>La sonnerie n&apos;a pas pu être renommée ; son son a été conservé dans un fichier .m4a.</translation>
    </message>
    <message>
        <source>The ringtone could not be saved as &quot;%1&quot; (%2).

Its sound was kept in:
%3</source>
        <translation>La sonnerie n&apos;a pas pu être enregistrée sous « %1 » (%2).

Son son a été conservé dans :
%3</translation>
    </message>
    <message>
        <source>Sent to the iPhone, but the ringtone is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>Envoyé sur l’iPhone, mais la sonnerie dure plus de 40 secondes : l’iPhone ne l’affichera pas.</translation>
    </message>
    <message>
        <source>The volume is 0: the ringtone would be silent.</source>
        <translation>Le volume est à 0 : la sonnerie serait muette.</translation>
    </message>
    <message>
        <source>The fade-in lasts the whole clip: the ringtone would never reach full volume.</source>
        <translation>Le fondu d’entrée dure tout l’extrait : la sonnerie n’atteindrait jamais son plein volume.</translation>
    </message>
    <message>
        <source>No sound device was found: the preview plays silently.</source>
        <translation>Aucun périphérique audio trouvé : l’aperçu est lu sans le son.</translation>
    </message>
    <message>
        <source>Your iPhone does not trust this computer.</source>
        <translation>Votre iPhone ne fait pas confiance à cet ordinateur.</translation>
    </message>
    <message>
        <source>Your iPhone could not be connected.</source>
        <translation>Impossible de connecter votre iPhone.</translation>
    </message>
    <message>
        <source>The phone service usbmuxd is not running.</source>
        <translation>Le service téléphone usbmuxd n&apos;est pas lancé.</translation>
    </message>
    <message>
        <source>Your iPhone cannot be reached: the phone service usbmuxd does not answer.&lt;br&gt;Install usbmuxd (on Debian and Ubuntu: the package &quot;usbmuxd&quot;) and plug the phone in again.</source>
        <translation>Votre iPhone est injoignable : le service téléphone usbmuxd ne répond pas.&lt;br&gt;Installez usbmuxd (sous Debian et Ubuntu : le paquet « usbmuxd ») puis rebranchez le téléphone.</translation>
    </message>
    <message>
        <source>The phone module is missing: no iPhone can be connected.</source>
        <translation>Le module téléphone est absent : aucun iPhone ne peut être connecté.</translation>
    </message>
    <message>
        <source>Tonquill could not load its phone module (libtonquill_usbphone.so), so it cannot reach an iPhone.&lt;br&gt;Install Tonquill again. Ringtones are still made in the output folder.</source>
        <translation>Tonquill n&apos;a pas pu charger son module téléphone (libtonquill_usbphone.so) et ne peut donc joindre aucun iPhone.&lt;br&gt;Réinstallez Tonquill. Les sonneries sont toujours créées dans le dossier de sortie.</translation>
    </message>
    <message>
        <source>Unlock your iPhone to connect it.</source>
        <translation>Déverrouillez votre iPhone pour le connecter.</translation>
    </message>
    <message>
        <source>Your iPhone is locked with a passcode.&lt;br&gt;Unlock it and keep it unlocked: it connects by itself.</source>
        <translation>Votre iPhone est verrouillé par un code.&lt;br&gt;Déverrouillez-le et laissez-le déverrouillé : il se connecte tout seul.</translation>
    </message>
    <message>
        <source>Tap Trust on your iPhone to connect it.</source>
        <translation>Touchez « Se fier » sur votre iPhone pour le connecter.</translation>
    </message>
    <message>
        <source>Your iPhone asks whether to trust this computer.&lt;br&gt;Unlock it, tap Trust and enter the passcode: it connects by itself.</source>
        <translation>Votre iPhone demande s&apos;il faut faire confiance à cet ordinateur.&lt;br&gt;Déverrouillez-le, touchez « Se fier » et saisissez le code : il se connecte tout seul.</translation>
    </message>
    <message>
        <source>Your iPhone was told not to trust this computer.&lt;br&gt;Disconnect the iPhone and connect it again, then tap Trust when it asks.</source>
        <translation>Votre iPhone a reçu l&apos;ordre de ne pas faire confiance à cet ordinateur.&lt;br&gt;Débranchez l&apos;iPhone puis rebranchez-le, et touchez « Se fier » quand il le demande.</translation>
    </message>
    <message>
        <source>Your iPhone no longer accepts this computer&apos;s pairing.&lt;br&gt;With the iPhone connected and unlocked, run &quot;idevicepair unpair&quot; and then &quot;idevicepair pair&quot; (package &quot;libimobiledevice-utils&quot;) and tap Trust on the iPhone: it then connects by itself.</source>
        <translation>Votre iPhone n&apos;accepte plus le jumelage de cet ordinateur.&lt;br&gt;L&apos;iPhone branché et déverrouillé, lancez « idevicepair unpair » puis « idevicepair pair » (paquet « libimobiledevice-utils ») et touchez « Se fier » sur l&apos;iPhone : il se connecte alors tout seul.</translation>
    </message>
    <message>
        <source>Your iPhone&apos;s file service could not be started.</source>
        <translation>Le service de fichiers de votre iPhone n&apos;a pas pu être démarré.</translation>
    </message>
    <message>
        <source>Your iPhone trusts this computer but did not start its file service.&lt;br&gt;Disconnect the iPhone and connect it again; if that does not help, restart the iPhone.</source>
        <translation>Votre iPhone fait confiance à cet ordinateur mais n&apos;a pas démarré son service de fichiers.&lt;br&gt;Débranchez l&apos;iPhone puis rebranchez-le ; si cela ne suffit pas, redémarrez l&apos;iPhone.</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>Boucle</translation>
    </message>
    <message>
        <source>Play Clip plays the clip over and over, as the phone rings it</source>
        <translation>L&apos;écoute de l&apos;extrait le rejoue sans fin, comme le téléphone le fera sonner</translation>
    </message>
    <message>
        <source>Ctrl+wheel zooms, the wheel or a drag on empty space scrolls, a double-click shows the whole file.
Click a handle or the clip, then Left/Right move it by 10 ms (Shift: 100 ms, Ctrl: 1 s), Home/End to the file&apos;s ends.</source>
        <translation>Ctrl+molette zoome, la molette ou un glissé sur un espace vide fait défiler, un double-clic montre tout le fichier.
Cliquez une poignée ou l&apos;extrait, puis Gauche/Droite le déplacent de 10 ms (Maj : 100 ms, Ctrl : 1 s), Début/Fin aux bouts du fichier.</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone is full.</source>
        <translation>Le transfert a échoué : l&apos;iPhone est plein.</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone did not allow the ringtone to be written.</source>
        <translation>Le transfert a échoué : l&apos;iPhone n&apos;a pas autorisé l&apos;écriture de la sonnerie.</translation>
    </message>
    <message>
        <source>Transfer failed: another program is syncing with the iPhone; try again later.</source>
        <translation>Le transfert a échoué : un autre programme synchronise l&apos;iPhone ; réessayez plus tard.</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone was disconnected during the transfer.</source>
        <translation>Le transfert a échoué : l&apos;iPhone a été déconnecté pendant le transfert.</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone&apos;s ringtone list cannot be read; the phone is unchanged.</source>
        <translation>Le transfert a échoué : la liste des sonneries de l&apos;iPhone est illisible ; le téléphone n&apos;a pas été modifié.</translation>
    </message>
    <message>
        <source>Fade out:</source>
        <translation>Fondu sortant&#xa0;:</translation>
    </message>
    <message>
        <source>Seconds the ringtone takes to fall to silence at its end</source>
        <translation>Secondes pendant lesquelles la sonnerie s&apos;éteint à sa fin</translation>
    </message>
    <message>
        <source>The volume is 0: the ringtone would be silent. Make it anyway?</source>
        <translation>Le volume est à 0 : la sonnerie serait muette. La créer quand même ?</translation>
    </message>
    <message>
        <source>A ringtone is being made. Close Tonquill and stop making it?</source>
        <translation>Une sonnerie est en cours de création. Fermer Tonquill et l’interrompre&#xa0;?</translation>
    </message>
    <message>
        <source>Apple Mobile Device Service is not running.</source>
        <translation>Le service Apple Mobile Device Service n&apos;est pas lancé.</translation>
    </message>
    <message>
        <source>Your iPhone cannot be reached: Apple Mobile Device Service does not answer.&lt;br&gt;Install iTunes (or Apple&apos;s device support alone, &quot;Apple Mobile Device Support&quot;), make sure the service &quot;Apple Mobile Device Service&quot; is running, and plug the phone in again.</source>
        <translation>Votre iPhone est injoignable : le service Apple Mobile Device Service ne répond pas.&lt;br&gt;Installez iTunes (ou seulement la prise en charge des appareils d&apos;Apple, « Apple Mobile Device Support »), vérifiez que le service « Apple Mobile Device Service » est lancé, puis rebranchez le téléphone.</translation>
    </message>
    <message>
        <source>Tonquill could not load its phone module (tonquill_usbphone.dll), so it cannot reach an iPhone.&lt;br&gt;Install Tonquill again. Ringtones are still made in the output folder.</source>
        <translation>Tonquill n&apos;a pas pu charger son module téléphone (tonquill_usbphone.dll) et ne peut donc joindre aucun iPhone.&lt;br&gt;Réinstallez Tonquill. Les sonneries sont toujours créées dans le dossier de sortie.</translation>
    </message>
    <message>
        <source>Your iPhone no longer accepts this computer&apos;s pairing.&lt;br&gt;Connect the iPhone to iTunes once, unlock it and tap Trust when it asks; then close iTunes: the iPhone connects by itself.</source>
        <translation>Votre iPhone n&apos;accepte plus le jumelage de cet ordinateur.&lt;br&gt;Branchez l&apos;iPhone une fois à iTunes, déverrouillez-le et touchez « Se fier » quand il le demande ; fermez ensuite iTunes : l&apos;iPhone se connecte alors tout seul.</translation>
    </message>
</context>
<context>
    <name>ManageDialog</name>
    <message>
        <source>Ringtone Formats(*.m4a;*.m4r)</source>
        <translation>Sonneries(*.m4a;*.m4r)</translation>
    </message>
    <message>
        <source>No iPhone connected.</source>
        <translation>Aucun iPhone connecté.</translation>
    </message>
    <message>
        <source>No ringtones on this iPhone yet.</source>
        <translation>Pas encore de sonnerie sur cet iPhone.</translation>
    </message>
    <message>
        <source>The ringtone list on this iPhone cannot be read.</source>
        <translation>La liste des sonneries de cet iPhone est illisible.</translation>
    </message>
    <message>
        <source>The iPhone was disconnected.</source>
        <translation>L&apos;iPhone a été déconnecté.</translation>
    </message>
    <message>
        <source>“%1” is no longer on the iPhone.</source>
        <translation>« %1 » n&apos;est plus sur l&apos;iPhone.</translation>
    </message>
    <message>
        <source>The iPhone is full.</source>
        <translation>L&apos;iPhone est plein.</translation>
    </message>
    <message>
        <source>The disk is full.</source>
        <translation>Le disque est plein.</translation>
    </message>
    <message>
        <source>The iPhone or this computer denied access to the file.</source>
        <translation>L&apos;iPhone ou cet ordinateur a refusé l&apos;accès au fichier.</translation>
    </message>
    <message>
        <source>You have no permission to write to that folder.</source>
        <translation>Vous n&apos;avez pas le droit d&apos;écrire dans ce dossier.</translation>
    </message>
    <message>
        <source>Another program is syncing with the iPhone. Try again when it has finished.</source>
        <translation>Un autre programme synchronise l&apos;iPhone. Réessayez quand il aura terminé.</translation>
    </message>
    <message>
        <source>The ringtone is no longer on the iPhone.</source>
        <translation>La sonnerie n&apos;est plus sur l&apos;iPhone.</translation>
    </message>
    <message>
        <source>The list was out of date; it now shows what the iPhone holds.</source>
        <translation>La liste n&apos;était plus à jour ; elle montre maintenant ce que contient l&apos;iPhone.</translation>
    </message>
    <message>
        <source>The name cannot be any longer.</source>
        <translation>Le nom ne peut pas être plus long.</translation>
    </message>
    <message>
        <source>The file cannot be used as a ringtone.</source>
        <translation>Ce fichier ne peut pas servir de sonnerie.</translation>
    </message>
    <message>
        <source>That file name cannot be used.</source>
        <translation>Ce nom de fichier ne peut pas être utilisé.</translation>
    </message>
    <message>
        <source>The iPhone could not be read or written.</source>
        <translation>Impossible de lire ou d&apos;écrire sur l&apos;iPhone.</translation>
    </message>
    <message>
        <source>The file could not be written.</source>
        <translation>Impossible d&apos;écrire le fichier.</translation>
    </message>
    <message>
        <source>A ringtone needs a name.</source>
        <translation>Une sonnerie doit avoir un nom.</translation>
    </message>
    <message>
        <source>Could not rename “%1”.</source>
        <translation>Impossible de renommer « %1 ».</translation>
    </message>
    <message>
        <source>Could not remove “%1”.</source>
        <translation>Impossible de supprimer « %1 ».</translation>
    </message>
    <message>
        <source>“%1” is not a playable audio file.</source>
        <translation>« %1 » n&apos;est pas un fichier audio lisible.</translation>
    </message>
    <message>
        <source>Could not replace the sound of “%1”.</source>
        <translation>Impossible de remplacer le son de « %1 ».</translation>
    </message>
    <message>
        <source>Replaced the sound of “%1”.</source>
        <translation>Le son de « %1 » a été remplacé.</translation>
    </message>
    <message>
        <source>Could not save “%1” to %2.</source>
        <translation>Impossible d&apos;enregistrer « %1 » dans %2.</translation>
    </message>
    <message>
        <source>Saved “%1” as %2.</source>
        <translation>« %1 » enregistrée sous %2.</translation>
    </message>
    <message>
        <source>Could not add “%1”.</source>
        <translation>Impossible d&apos;ajouter « %1 ».</translation>
    </message>
    <message>
        <source>The new ringtones could not be stored on the iPhone.</source>
        <translation>Les nouvelles sonneries n&apos;ont pas pu être enregistrées sur l&apos;iPhone.</translation>
    </message>
    <message>
        <source>Ringtones added: %1.</source>
        <translation>Sonneries ajoutées : %1.</translation>
    </message>
    <message>
        <source>Converting “%1”: %2 %</source>
        <translation>Conversion de « %1 » : %2 %</translation>
    </message>
    <message>
        <source>Preparing, please wait...</source>
        <translation>Préparation, veuillez patienter...</translation>
    </message>
    <message>
        <source>“%1” could not be made into a ringtone (%2).</source>
        <translation>Impossible de faire une sonnerie de « %1 » (%2).</translation>
    </message>
    <message>
        <source>“%1” is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>« %1 » dure plus de 40 secondes : l’iPhone ne l’affichera pas.</translation>
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
        <translation>Langue</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Tonquill is already running but does not answer yet; it may be busy. This message closes by itself once it answers. Press OK to stop waiting.</source>
        <translation>Tonquill est déjà lancé mais ne répond pas encore ; il est peut-être occupé. Ce message se fermera de lui-même dès qu&apos;il répondra. Cliquez sur OK pour ne plus attendre.</translation>
    </message>
</context>
<context>
    <name>manageDlg</name>
    <message>
        <source>Manage</source>
        <translation>Gérer</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Renommer</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Name :</source>
        <translation>Nom :</translation>
    </message>
    <message>
        <source>Manage ringtones on your iPhone.</source>
        <translation>Gérer les sonneries de votre iPhone.</translation>
    </message>
    <message>
        <source>Save To PC</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Add To iPhone</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Remplacer</translation>
    </message>
</context>
</TS>

<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Home Page: &lt;a href="%1"&gt;%1&lt;/a&gt;</source>
        <translation>Site web : &lt;a href="%1"&gt;%1&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Support: &lt;a href="%1"&gt;%1&lt;/a&gt;</source>
        <translation>Assistance : &lt;a href="%1"&gt;%1&lt;/a&gt;</translation>
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
        <translation>Impossible d'initialiser la connexion à votre iPhone !&lt;br&gt;Essayez ceci :&lt;br&gt;  * déverrouillez l'iPhone et laissez-le déverrouillé&lt;br&gt;  * lorsque l'iPhone demande s'il faut faire confiance à cet ordinateur, touchez « Se fier »&lt;br&gt;  * débranchez l'iPhone puis rebranchez-le&lt;br&gt;&lt;br&gt;Le service téléphone usbmuxd doit être installé et lancé (sous Debian et Ubuntu : le paquet « usbmuxd »).</translation>
    </message>
    <message>
        <source>Could not initialize the connection to your iPhone/iTouch!&lt;br&gt;You may get this error if you try to connect a device that has never been attached to iTunes on this computer.&lt;br&gt;Please try the following:&lt;br&gt;  * close this application and detach your device from the computer&lt;br&gt;  * start iTunes&lt;br&gt;  * connect the device&lt;br&gt;  * after it shows up in iTunes, exit iTunes (no need to sync or transfer anything&lt;br&gt;)  * restart this application.&lt;br&gt;&lt;br&gt;Sorry for this inconvenience, it is caused by Apple's technical restrictions...</source>
        <translation>Impossible d'établir la connexion avec votre iPhone/iPod touch !&lt;br&gt;Cette erreur peut survenir si vous connectez un appareil qui n'a jamais été relié à iTunes sur cet ordinateur.&lt;br&gt;Essayez ceci :&lt;br&gt;  * fermez cette application et débranchez l'appareil de l'ordinateur&lt;br&gt;  * lancez iTunes&lt;br&gt;  * branchez l'appareil&lt;br&gt;  * quand il apparaît dans iTunes, quittez iTunes (inutile de synchroniser ou de transférer quoi que ce soit)&lt;br&gt;  * relancez cette application.&lt;br&gt;&lt;br&gt;Désolé pour ce désagrément, il est dû aux restrictions techniques d'Apple...</translation>
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
        <translation>Installez iTunes pour transférer la sonnerie vers l'iPhone.</translation>
    </message>
    <message>
        <source>Please connect your iPhone to this computer.</source>
        <translation>Veuillez connecter votre iPhone à cet ordinateur.</translation>
    </message>
    <message>
        <source>iTunes version too low, at least 7.3 is needed.</source>
        <translation>Version d'iTunes trop ancienne, la version 7.3 au moins est nécessaire.</translation>
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
        <translation>L'extrait est trop court : éloignez sa fin de son début.</translation>
    </message>
    <message>
        <source>The output folder cannot be written to: choose another one.</source>
        <translation>Impossible d'écrire dans le dossier de sortie : choisissez-en un autre.</translation>
    </message>
    <message>
        <source>The disk of the output folder is full.</source>
        <translation>Le disque du dossier de sortie est plein.</translation>
    </message>
    <message>
        <source>The input file is gone.</source>
        <translation>Le fichier d'entrée a disparu.</translation>
    </message>
    <message>
        <source>The input file has no sound.</source>
        <translation>Le fichier d'entrée n'a pas de son.</translation>
    </message>
    <message>
        <source>The input file is damaged or not a media file.</source>
        <translation>Le fichier d'entrée est endommagé ou n'est pas un fichier multimédia.</translation>
    </message>
    <message>
        <source>The clip holds no sound.</source>
        <translation>L'extrait ne contient aucun son.</translation>
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
        <translation>Écouter l'extrait</translation>
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
        <source>&lt;img src=":/images/tool.png" /&gt;&lt;a href="x"&gt;&lt;font color=#ffffff&gt;Manage&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=":/images/tool.png" /&gt;&lt;a href="x"&gt;&lt;font color=#ffffff&gt;Gérer&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=':/images/help.png'&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Help&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=':/images/help.png'&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Aide&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=':/images/home.png'&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Home&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=':/images/home.png'&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Site web&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=':/images/about.png'&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;About&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=':/images/about.png'&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;À propos&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Export to iPhone</source>
        <translation>Envoyer vers l'iPhone</translation>
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
        <source>h:mm:ss.zzz</source>
        <translation>h:mm:ss.zzz</translation>
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
        <translation>Fondu :</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Générer</translation>
    </message>
    <message>
        <source>An iPhone lists ringtones only up to 40 seconds: shorten the clip, or the phone will not offer it.</source>
        <translation>Un iPhone ne liste que les sonneries de 40 secondes au plus : raccourcissez l'extrait, sinon le téléphone ne le proposera pas.</translation>
    </message>
    <message>
        <source>Done, but the ringtone is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>Terminé, mais la sonnerie dépasse 40 secondes : l'iPhone ne la listera pas.</translation>
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
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <comment>Translate this string to the string 'LTR' in left-to-right languages or to 'RTL' in right-to-left languages (such as Hebrew and Arabic) to get proper widget layout.</comment>
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
<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Home Page: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</source>
        <translation>Página web: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Support: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</source>
        <translation>Soporte: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Copyright © 2026 %1. All rights reserved.</source>
        <translation>Copyright © 2026 %1. Todos los derechos reservados.</translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>Versión: </translation>
    </message>
</context>
<context>
    <name>CLinkOpener</name>
    <message>
        <source>No web browser could be started to show the help page. You can open it yourself: %1</source>
        <translation>No se pudo abrir ningún navegador web para mostrar la ayuda. Puede abrirla usted mismo: %1</translation>
    </message>
    <message>
        <source>No web browser could be started to open %1. The help page is at: %2</source>
        <translation>No se pudo abrir ningún navegador web para abrir %1. La ayuda está en: %2</translation>
    </message>
</context>
<context>
    <name>MainDialog</name>
    <message>
        <source>Could not initialize the connection to your iPhone!&lt;br&gt;Please try the following:&lt;br&gt;  * unlock the iPhone and keep it unlocked&lt;br&gt;  * when the iPhone asks whether to trust this computer, tap Trust&lt;br&gt;  * disconnect the iPhone and connect it again&lt;br&gt;&lt;br&gt;The phone service usbmuxd must be installed and running (on Debian and Ubuntu: the package &quot;usbmuxd&quot;).</source>
        <translation>¡No se pudo iniciar la conexión con su iPhone!&lt;br&gt;Pruebe lo siguiente:&lt;br&gt;  * desbloquee el iPhone y manténgalo desbloqueado&lt;br&gt;  * cuando el iPhone pregunte si confiar en este ordenador, toque Confiar&lt;br&gt;  * desconecte el iPhone y vuelva a conectarlo&lt;br&gt;&lt;br&gt;El servicio de teléfono usbmuxd debe estar instalado y en ejecución (en Debian y Ubuntu: el paquete «usbmuxd»).</translation>
    </message>
    <message>
        <source>Could not initialize the connection to your iPhone/iTouch!&lt;br&gt;You may get this error if you try to connect a device that has never been attached to iTunes on this computer.&lt;br&gt;Please try the following:&lt;br&gt;  * close this application and detach your device from the computer&lt;br&gt;  * start iTunes&lt;br&gt;  * connect the device&lt;br&gt;  * after it shows up in iTunes, exit iTunes (no need to sync or transfer anything&lt;br&gt;)  * restart this application.&lt;br&gt;&lt;br&gt;Sorry for this inconvenience, it is caused by Apple&apos;s technical restrictions...</source>
        <translation>¡No se pudo establecer la conexión con su iPhone/iPod touch!&lt;br&gt;Este error puede aparecer si conecta un dispositivo que nunca se ha conectado a iTunes en este ordenador.&lt;br&gt;Pruebe lo siguiente:&lt;br&gt;  * cierre esta aplicación y desconecte el dispositivo del ordenador&lt;br&gt;  * inicie iTunes&lt;br&gt;  * conecte el dispositivo&lt;br&gt;  * cuando aparezca en iTunes, salga de iTunes (no hace falta sincronizar ni transferir nada)&lt;br&gt;  * vuelva a abrir esta aplicación.&lt;br&gt;&lt;br&gt;Disculpe las molestias; se deben a restricciones técnicas de Apple...</translation>
    </message>
    <message>
        <source>&amp;Manage...</source>
        <translation>&amp;Gestionar...</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Acerca de</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>&amp;HomePage</source>
        <translation>&amp;Página web</translation>
    </message>
    <message>
        <source>You should install iTunes to transfer ringtone to iPhone.</source>
        <translation>Instale iTunes para transferir el tono al iPhone.</translation>
    </message>
    <message>
        <source>Please connect your iPhone to this computer.</source>
        <translation>Conecte su iPhone a este ordenador.</translation>
    </message>
    <message>
        <source>iTunes version too low, at least 7.3 is needed.</source>
        <translation>La versión de iTunes es demasiado antigua; se necesita al menos la 7.3.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Ready.</source>
        <translation>Listo.</translation>
    </message>
    <message>
        <source>Volume: %1x</source>
        <translation>Volumen: %1x</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Todos los archivos</translation>
    </message>
    <message>
        <source>All Supported Formats</source>
        <translation>Todos los formatos compatibles</translation>
    </message>
    <message>
        <source>Supported Video</source>
        <translation>Vídeo compatible</translation>
    </message>
    <message>
        <source>Supported Audio</source>
        <translation>Audio compatible</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Invalid input file</source>
        <translation>Archivo de entrada no válido</translation>
    </message>
    <message>
        <source>File is loading, please wait...</source>
        <translation>Cargando el archivo, espere...</translation>
    </message>
    <message>
        <source>File loaded.</source>
        <translation>Archivo cargado.</translation>
    </message>
    <message>
        <source>Conversion failed.</source>
        <translation>La conversión ha fallado.</translation>
    </message>
    <message>
        <source>Making the ringtone, please wait...</source>
        <translation>Creando el tono, espere por favor...</translation>
    </message>
    <message>
        <source>The clip is too short: move its end further from its start.</source>
        <translation>El fragmento es demasiado corto: aleje su final de su inicio.</translation>
    </message>
    <message>
        <source>The output folder cannot be written to: choose another one.</source>
        <translation>No se puede escribir en la carpeta de salida: elija otra.</translation>
    </message>
    <message>
        <source>The disk of the output folder is full.</source>
        <translation>El disco de la carpeta de salida está lleno.</translation>
    </message>
    <message>
        <source>The input file is gone.</source>
        <translation>El archivo de entrada ya no existe.</translation>
    </message>
    <message>
        <source>The input file has no sound.</source>
        <translation>El archivo de entrada no tiene sonido.</translation>
    </message>
    <message>
        <source>The input file is damaged or not a media file.</source>
        <translation>El archivo de entrada está dañado o no es un archivo multimedia.</translation>
    </message>
    <message>
        <source>The clip holds no sound.</source>
        <translation>El fragmento no contiene sonido.</translation>
    </message>
    <message>
        <source>Conversion succeed.</source>
        <translation>Conversión completada.</translation>
    </message>
    <message>
        <source>Transfer failed.</source>
        <translation>La transferencia ha fallado.</translation>
    </message>
    <message>
        <source>Transfer succeed.</source>
        <translation>Transferencia completada.</translation>
    </message>
    <message>
        <source>Select a folder to store output file.</source>
        <translation>Elija la carpeta donde guardar el archivo.</translation>
    </message>
    <message>
        <source>Tonquill</source>
        <translation>Tonquill</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menú</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimizar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Escuchar el fragmento</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Examinar...</translation>
    </message>
    <message>
        <source>Input File:</source>
        <translation>Archivo:</translation>
    </message>
    <message>
        <source>&lt;img src=&quot;:/images/tool.png&quot; /&gt;&lt;a href=&quot;x&quot;&gt;&lt;font color=#ffffff&gt;Manage&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&quot;:/images/tool.png&quot; /&gt;&lt;a href=&quot;x&quot;&gt;&lt;font color=#ffffff&gt;Gestionar&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/help.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Help&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/help.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Ayuda&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/home.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Home&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/home.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Web&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=&apos;:/images/about.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;About&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=&apos;:/images/about.png&apos;&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Acerca de&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Export to iPhone</source>
        <translation>Enviar al iPhone</translation>
    </message>
    <message>
        <source>Export to iTunes</source>
        <translation>Abrir en iTunes</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>Inicio:</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>Fin:</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>Duración:</translation>
    </message>
    <message>
        <source>Local Output Folder:</source>
        <translation>Carpeta de salida:</translation>
    </message>
    <message>
        <source>Output Name:</source>
        <translation>Nombre:</translation>
    </message>
    <message>
        <source>Fade in:</source>
        <translation>Fundido inicial:</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Generar</translation>
    </message>
    <message>
        <source>An iPhone lists ringtones only up to 40 seconds: shorten the clip, or the phone will not offer it.</source>
        <translation>Un iPhone solo muestra tonos de hasta 40 segundos: acorte el fragmento o el teléfono no lo ofrecerá.</translation>
    </message>
    <message>
        <source>Done, but the ringtone is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>Hecho, pero el tono dura más de 40 segundos: el iPhone no lo mostrará.</translation>
    </message>
    <message>
        <source>Seconds the ringtone takes to rise from silence</source>
        <translation>Segundos que tarda el tono en subir desde el silencio</translation>
    </message>
    <message>
        <source>The waveform could not be made.</source>
        <translation>No se pudo crear la forma de onda.</translation>
    </message>
    <message>
        <source>The ringtone could not be named; its sound was kept as an .m4a file.</source>
        <translation>No se pudo dar nombre al tono; su sonido se ha conservado como archivo .m4a.</translation>
    </message>
    <message>
        <source>The ringtone could not be saved as &quot;%1&quot; (%2).

Its sound was kept in:
%3</source>
        <translation>No se pudo guardar el tono como «%1» (%2).

Su sonido se ha conservado en:
%3</translation>
    </message>
    <message>
        <source>Sent to the iPhone, but the ringtone is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>Enviado al iPhone, pero el tono dura más de 40 segundos: el iPhone no lo mostrará.</translation>
    </message>
    <message>
        <source>The volume is 0: the ringtone would be silent.</source>
        <translation>El volumen es 0: el tono sería mudo.</translation>
    </message>
    <message>
        <source>The fade-in lasts the whole clip: the ringtone would never reach full volume.</source>
        <translation>La entrada gradual dura todo el fragmento: el tono nunca alcanzaría el volumen completo.</translation>
    </message>
    <message>
        <source>No sound device was found: the preview plays silently.</source>
        <translation>No se encontró ningún dispositivo de sonido: la vista previa se reproduce sin sonido.</translation>
    </message>
    <message>
        <source>Your iPhone does not trust this computer.</source>
        <translation>Su iPhone no confía en este ordenador.</translation>
    </message>
    <message>
        <source>Your iPhone could not be connected.</source>
        <translation>No se pudo conectar su iPhone.</translation>
    </message>
    <message>
        <source>The phone service usbmuxd is not running.</source>
        <translation>El servicio de teléfono usbmuxd no está en ejecución.</translation>
    </message>
    <message>
        <source>Your iPhone cannot be reached: the phone service usbmuxd does not answer.&lt;br&gt;Install usbmuxd (on Debian and Ubuntu: the package &quot;usbmuxd&quot;) and plug the phone in again.</source>
        <translation>No se puede acceder a su iPhone: el servicio de teléfono usbmuxd no responde.&lt;br&gt;Instale usbmuxd (en Debian y Ubuntu: el paquete «usbmuxd») y vuelva a conectar el teléfono.</translation>
    </message>
    <message>
        <source>The phone module is missing: no iPhone can be connected.</source>
        <translation>Falta el módulo de teléfono: no se puede conectar ningún iPhone.</translation>
    </message>
    <message>
        <source>Tonquill could not load its phone module (libtonquill_usbphone.so), so it cannot reach an iPhone.&lt;br&gt;Install Tonquill again. Ringtones are still made in the output folder.</source>
        <translation>Tonquill no pudo cargar su módulo de teléfono (libtonquill_usbphone.so), así que no puede acceder a ningún iPhone.&lt;br&gt;Vuelva a instalar Tonquill. Los tonos se siguen creando en la carpeta de salida.</translation>
    </message>
    <message>
        <source>Unlock your iPhone to connect it.</source>
        <translation>Desbloquee su iPhone para conectarlo.</translation>
    </message>
    <message>
        <source>Your iPhone is locked with a passcode.&lt;br&gt;Unlock it and keep it unlocked: it connects by itself.</source>
        <translation>Su iPhone está bloqueado con un código.&lt;br&gt;Desbloquéelo y manténgalo desbloqueado: se conecta solo.</translation>
    </message>
    <message>
        <source>Tap Trust on your iPhone to connect it.</source>
        <translation>Toque Confiar en su iPhone para conectarlo.</translation>
    </message>
    <message>
        <source>Your iPhone asks whether to trust this computer.&lt;br&gt;Unlock it, tap Trust and enter the passcode: it connects by itself.</source>
        <translation>Su iPhone pregunta si debe confiar en este ordenador.&lt;br&gt;Desbloquéelo, toque Confiar e introduzca el código: se conecta solo.</translation>
    </message>
    <message>
        <source>Your iPhone was told not to trust this computer.&lt;br&gt;Disconnect the iPhone and connect it again, then tap Trust when it asks.</source>
        <translation>Se indicó a su iPhone que no confíe en este ordenador.&lt;br&gt;Desconecte el iPhone y vuelva a conectarlo; después toque Confiar cuando lo pregunte.</translation>
    </message>
    <message>
        <source>Your iPhone no longer accepts this computer&apos;s pairing.&lt;br&gt;With the iPhone connected and unlocked, run &quot;idevicepair unpair&quot; and then &quot;idevicepair pair&quot; (package &quot;libimobiledevice-utils&quot;) and tap Trust on the iPhone: it then connects by itself.</source>
        <translation>Su iPhone ya no acepta el emparejamiento con este ordenador.&lt;br&gt;Con el iPhone conectado y desbloqueado, ejecute «idevicepair unpair» y después «idevicepair pair» (paquete «libimobiledevice-utils») y toque Confiar en el iPhone: entonces se conecta solo.</translation>
    </message>
    <message>
        <source>Your iPhone&apos;s file service could not be started.</source>
        <translation>No se pudo iniciar el servicio de archivos de su iPhone.</translation>
    </message>
    <message>
        <source>Your iPhone trusts this computer but did not start its file service.&lt;br&gt;Disconnect the iPhone and connect it again; if that does not help, restart the iPhone.</source>
        <translation>Su iPhone confía en este ordenador, pero no inició su servicio de archivos.&lt;br&gt;Desconecte el iPhone y vuelva a conectarlo; si no basta, reinicie el iPhone.</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone is full.</source>
        <translation>La transferencia ha fallado: el iPhone está lleno.</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone did not allow the ringtone to be written.</source>
        <translation>La transferencia ha fallado: el iPhone no ha permitido escribir el tono.</translation>
    </message>
    <message>
        <source>Transfer failed: another program is syncing with the iPhone; try again later.</source>
        <translation>La transferencia ha fallado: otro programa está sincronizando el iPhone; inténtelo más tarde.</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone was disconnected during the transfer.</source>
        <translation>La transferencia ha fallado: el iPhone se desconectó durante la transferencia.</translation>
    </message>
    <message>
        <source>Transfer failed: the iPhone&apos;s ringtone list cannot be read; the phone is unchanged.</source>
        <translation>La transferencia ha fallado: no se puede leer la lista de tonos del iPhone; el teléfono no ha cambiado.</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>Bucle</translation>
    </message>
    <message>
        <source>Play Clip plays the clip over and over, as the phone rings it</source>
        <translation>Escuchar el fragmento lo repite una y otra vez, como sonará en el teléfono</translation>
    </message>
    <message>
        <source>Ctrl+wheel zooms, the wheel or a drag on empty space scrolls, a double-click shows the whole file.
Click a handle or the clip, then Left/Right move it by 10 ms (Shift: 100 ms, Ctrl: 1 s), Home/End to the file&apos;s ends.</source>
        <translation>Ctrl+rueda amplía, la rueda o arrastrar en un espacio vacío desplaza, un doble clic muestra todo el archivo.
Haga clic en un tirador o en el fragmento; Izquierda/Derecha lo mueven 10 ms (Mayús: 100 ms, Ctrl: 1 s), Inicio/Fin a los extremos del archivo.</translation>
    </message>
    <message>
        <source>Seconds the ringtone takes to fall to silence at its end</source>
        <translation>Segundos que tarda el tono en apagarse al final</translation>
    </message>
    <message>
        <source>Fade out:</source>
        <translation>Fundido final:</translation>
    </message>
    <message>
        <source>A ringtone is being made. Close Tonquill and stop making it?</source>
        <translation>Se está creando un tono. ¿Cerrar Tonquill y detener la creación?</translation>
    </message>
    <message>
        <source>The volume is 0: the ringtone would be silent. Make it anyway?</source>
        <translation>El volumen es 0: el tono sería mudo. ¿Crearlo de todos modos?</translation>
    </message>
    <message>
        <source>Apple Mobile Device Service is not running.</source>
        <translation>Apple Mobile Device Service no está en ejecución.</translation>
    </message>
    <message>
        <source>Your iPhone cannot be reached: Apple Mobile Device Service does not answer.&lt;br&gt;Install iTunes (or Apple&apos;s device support alone, &quot;Apple Mobile Device Support&quot;), make sure the service &quot;Apple Mobile Device Service&quot; is running, and plug the phone in again.</source>
        <translation>No se puede acceder a su iPhone: Apple Mobile Device Service no responde.&lt;br&gt;Instale iTunes (o solo la compatibilidad de dispositivos de Apple, «Apple Mobile Device Support»), compruebe que el servicio «Apple Mobile Device Service» está en ejecución y vuelva a conectar el teléfono.</translation>
    </message>
    <message>
        <source>Tonquill could not load its phone module (tonquill_usbphone.dll), so it cannot reach an iPhone.&lt;br&gt;Install Tonquill again. Ringtones are still made in the output folder.</source>
        <translation>Tonquill no pudo cargar su módulo de teléfono (tonquill_usbphone.dll), así que no puede acceder a ningún iPhone.&lt;br&gt;Vuelva a instalar Tonquill. Los tonos se siguen creando en la carpeta de salida.</translation>
    </message>
    <message>
        <source>Your iPhone no longer accepts this computer&apos;s pairing.&lt;br&gt;Connect the iPhone to iTunes once, unlock it and tap Trust when it asks; then close iTunes: the iPhone connects by itself.</source>
        <translation>Su iPhone ya no acepta el emparejamiento con este ordenador.&lt;br&gt;Conecte el iPhone una vez a iTunes, desbloquéelo y toque Confiar cuando lo pida; después cierre iTunes: el iPhone se conecta solo.</translation>
    </message>
</context>
<context>
    <name>ManageDialog</name>
    <message>
        <source>Ringtone Formats(*.m4a;*.m4r)</source>
        <translation>Tonos(*.m4a;*.m4r)</translation>
    </message>
    <message>
        <source>No iPhone connected.</source>
        <translation>No hay ningún iPhone conectado.</translation>
    </message>
    <message>
        <source>No ringtones on this iPhone yet.</source>
        <translation>Aún no hay tonos en este iPhone.</translation>
    </message>
    <message>
        <source>The ringtone list on this iPhone cannot be read.</source>
        <translation>No se puede leer la lista de tonos de este iPhone.</translation>
    </message>
    <message>
        <source>The iPhone was disconnected.</source>
        <translation>El iPhone se ha desconectado.</translation>
    </message>
    <message>
        <source>“%1” is no longer on the iPhone.</source>
        <translation>«%1» ya no está en el iPhone.</translation>
    </message>
    <message>
        <source>The iPhone is full.</source>
        <translation>El iPhone está lleno.</translation>
    </message>
    <message>
        <source>The disk is full.</source>
        <translation>El disco está lleno.</translation>
    </message>
    <message>
        <source>The iPhone or this computer denied access to the file.</source>
        <translation>El iPhone o este equipo ha denegado el acceso al archivo.</translation>
    </message>
    <message>
        <source>You have no permission to write to that folder.</source>
        <translation>No tiene permiso para escribir en esa carpeta.</translation>
    </message>
    <message>
        <source>Another program is syncing with the iPhone. Try again when it has finished.</source>
        <translation>Otro programa está sincronizando con el iPhone. Inténtelo de nuevo cuando haya terminado.</translation>
    </message>
    <message>
        <source>The ringtone is no longer on the iPhone.</source>
        <translation>El tono ya no está en el iPhone.</translation>
    </message>
    <message>
        <source>The list was out of date; it now shows what the iPhone holds.</source>
        <translation>La lista estaba desactualizada; ahora muestra lo que hay en el iPhone.</translation>
    </message>
    <message>
        <source>The name cannot be any longer.</source>
        <translation>El nombre no puede ser más largo.</translation>
    </message>
    <message>
        <source>The file cannot be used as a ringtone.</source>
        <translation>El archivo no se puede usar como tono.</translation>
    </message>
    <message>
        <source>That file name cannot be used.</source>
        <translation>Ese nombre de archivo no se puede usar.</translation>
    </message>
    <message>
        <source>The iPhone could not be read or written.</source>
        <translation>No se pudo leer ni escribir en el iPhone.</translation>
    </message>
    <message>
        <source>The file could not be written.</source>
        <translation>No se pudo escribir el archivo.</translation>
    </message>
    <message>
        <source>A ringtone needs a name.</source>
        <translation>Un tono necesita un nombre.</translation>
    </message>
    <message>
        <source>Could not rename “%1”.</source>
        <translation>No se pudo cambiar el nombre de «%1».</translation>
    </message>
    <message>
        <source>Could not remove “%1”.</source>
        <translation>No se pudo eliminar «%1».</translation>
    </message>
    <message>
        <source>“%1” is not a playable audio file.</source>
        <translation>«%1» no es un archivo de audio reproducible.</translation>
    </message>
    <message>
        <source>Could not replace the sound of “%1”.</source>
        <translation>No se pudo reemplazar el sonido de «%1».</translation>
    </message>
    <message>
        <source>Replaced the sound of “%1”.</source>
        <translation>Se ha reemplazado el sonido de «%1».</translation>
    </message>
    <message>
        <source>Could not save “%1” to %2.</source>
        <translation>No se pudo guardar «%1» en %2.</translation>
    </message>
    <message>
        <source>Saved “%1” as %2.</source>
        <translation>«%1» guardado como %2.</translation>
    </message>
    <message>
        <source>Could not add “%1”.</source>
        <translation>No se pudo añadir «%1».</translation>
    </message>
    <message>
        <source>The new ringtones could not be stored on the iPhone.</source>
        <translation>Los tonos nuevos no se pudieron guardar en el iPhone.</translation>
    </message>
    <message>
        <source>Ringtones added: %1.</source>
        <translation>Tonos añadidos: %1.</translation>
    </message>
    <message>
        <source>Converting “%1”: %2 %</source>
        <translation>Convirtiendo «%1»: %2 %</translation>
    </message>
    <message>
        <source>Preparing, please wait...</source>
        <translation>Preparando, espere por favor...</translation>
    </message>
    <message>
        <source>“%1” could not be made into a ringtone (%2).</source>
        <translation>No se pudo convertir «%1» en un tono (%2).</translation>
    </message>
    <message>
        <source>“%1” is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>«%1» dura más de 40 segundos: el iPhone no lo mostrará.</translation>
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
        <translation>Idioma</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Tonquill is already running but does not answer yet; it may be busy. This message closes by itself once it answers. Press OK to stop waiting.</source>
        <translation>Tonquill ya se está ejecutando, pero aún no responde; puede que esté ocupado. Este mensaje se cerrará solo en cuanto responda. Pulse OK para dejar de esperar.</translation>
    </message>
</context>
<context>
    <name>manageDlg</name>
    <message>
        <source>Manage</source>
        <translation>Gestionar</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Renombrar</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Name :</source>
        <translation>Nombre :</translation>
    </message>
    <message>
        <source>Manage ringtones on your iPhone.</source>
        <translation>Gestione los tonos de su iPhone.</translation>
    </message>
    <message>
        <source>Save To PC</source>
        <translation>Guardar en PC</translation>
    </message>
    <message>
        <source>Add To iPhone</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Reemplazar</translation>
    </message>
</context>
</TS>

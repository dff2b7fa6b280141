<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="ar" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Home Page: &lt;a href="%1"&gt;%1&lt;/a&gt;</source>
        <translation>الموقع: &lt;a href="%1"&gt;%1&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Support: &lt;a href="%1"&gt;%1&lt;/a&gt;</source>
        <translation>الدعم: &lt;a href="%1"&gt;%1&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Copyright © 2026 %1. All rights reserved.</source>
        <translation>حقوق النشر © 2026 %1. جميع الحقوق محفوظة.</translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>الإصدار: </translation>
    </message>
</context>
<context>
    <name>CLinkOpener</name>
    <message>
        <source>No web browser could be started to show the help page. You can open it yourself: %1</source>
        <translation>تعذّر تشغيل متصفح ويب لعرض صفحة المساعدة. يمكنك فتحها بنفسك: %1</translation>
    </message>
    <message>
        <source>No web browser could be started to open %1. The help page is at: %2</source>
        <translation>تعذّر تشغيل متصفح ويب لفتح %1. صفحة المساعدة موجودة في: %2</translation>
    </message>
</context>
<context>
    <name>MainDialog</name>
    <message>
        <source>Could not initialize the connection to your iPhone!&lt;br&gt;Please try the following:&lt;br&gt;  * unlock the iPhone and keep it unlocked&lt;br&gt;  * when the iPhone asks whether to trust this computer, tap Trust&lt;br&gt;  * disconnect the iPhone and connect it again&lt;br&gt;&lt;br&gt;The phone service usbmuxd must be installed and running (on Debian and Ubuntu: the package &quot;usbmuxd&quot;).</source>
        <translation>تعذّر تهيئة الاتصال بجهاز iPhone!&lt;br&gt;يُرجى تجربة ما يلي:&lt;br&gt;  * افتح قفل iPhone وأبقه مفتوحًا&lt;br&gt;  * عندما يسأل iPhone عمّا إذا كان يثق بهذا الحاسوب، اضغط على «ثقة»&lt;br&gt;  * افصل iPhone ثم أعد توصيله&lt;br&gt;&lt;br&gt;يجب تثبيت خدمة الهاتف usbmuxd وتشغيلها (على Debian وUbuntu: الحزمة «usbmuxd»).</translation>
    </message>
    <message>
        <source>Could not initialize the connection to your iPhone/iTouch!&lt;br&gt;You may get this error if you try to connect a device that has never been attached to iTunes on this computer.&lt;br&gt;Please try the following:&lt;br&gt;  * close this application and detach your device from the computer&lt;br&gt;  * start iTunes&lt;br&gt;  * connect the device&lt;br&gt;  * after it shows up in iTunes, exit iTunes (no need to sync or transfer anything&lt;br&gt;)  * restart this application.&lt;br&gt;&lt;br&gt;Sorry for this inconvenience, it is caused by Apple's technical restrictions...</source>
        <translation>تعذّر تهيئة الاتصال بجهاز iPhone/iPod touch!&lt;br&gt;قد يظهر هذا الخطأ إذا وصلت جهازًا لم يُوصَل قط ببرنامج iTunes على هذا الحاسوب.&lt;br&gt;جرّب ما يلي:&lt;br&gt;  * أغلق هذا البرنامج وافصل الجهاز عن الحاسوب&lt;br&gt;  * شغّل iTunes&lt;br&gt;  * صِل الجهاز&lt;br&gt;  * بعد ظهوره في iTunes، أغلق iTunes (لا حاجة إلى المزامنة أو نقل أي شيء)&lt;br&gt;  * أعد تشغيل هذا البرنامج.&lt;br&gt;&lt;br&gt;نعتذر عن هذا الإزعاج، فسببه قيود Apple التقنية...</translation>
    </message>
    <message>
        <source>&amp;Manage...</source>
        <translation>&amp;إدارة...</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;حول</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;مساعدة</translation>
    </message>
    <message>
        <source>&amp;HomePage</source>
        <translation>ال&amp;موقع</translation>
    </message>
    <message>
        <source>You should install iTunes to transfer ringtone to iPhone.</source>
        <translation>يجب تثبيت iTunes لنقل النغمة إلى iPhone.</translation>
    </message>
    <message>
        <source>Please connect your iPhone to this computer.</source>
        <translation>يُرجى توصيل iPhone بهذا الحاسوب.</translation>
    </message>
    <message>
        <source>iTunes version too low, at least 7.3 is needed.</source>
        <translation>إصدار iTunes قديم جدًا، يلزم الإصدار 7.3 على الأقل.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>اللغة</translation>
    </message>
    <message>
        <source>Ready.</source>
        <translation>جاهز.</translation>
    </message>
    <message>
        <source>Volume: %1x</source>
        <translation>مستوى الصوت: %1x</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>كل الملفات</translation>
    </message>
    <message>
        <source>All Supported Formats</source>
        <translation>كل الصيغ المدعومة</translation>
    </message>
    <message>
        <source>Supported Video</source>
        <translation>الفيديو المدعوم</translation>
    </message>
    <message>
        <source>Supported Audio</source>
        <translation>الصوت المدعوم</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>فتح</translation>
    </message>
    <message>
        <source>Invalid input file</source>
        <translation>ملف إدخال غير صالح</translation>
    </message>
    <message>
        <source>File is loading, please wait...</source>
        <translation>جارٍ تحميل الملف، يُرجى الانتظار...</translation>
    </message>
    <message>
        <source>File loaded.</source>
        <translation>تم تحميل الملف.</translation>
    </message>
    <message>
        <source>Conversion failed.</source>
        <translation>فشل التحويل.</translation>
    </message>
    <message>
        <source>Making the ringtone, please wait...</source>
        <translation>جارٍ إنشاء النغمة، يرجى الانتظار...</translation>
    </message>
    <message>
        <source>The clip is too short: move its end further from its start.</source>
        <translation>المقطع قصير جدًا: أبعد نهايته عن بدايته.</translation>
    </message>
    <message>
        <source>The output folder cannot be written to: choose another one.</source>
        <translation>لا يمكن الكتابة في مجلد الإخراج: اختر مجلدًا آخر.</translation>
    </message>
    <message>
        <source>The disk of the output folder is full.</source>
        <translation>قرص مجلد الإخراج ممتلئ.</translation>
    </message>
    <message>
        <source>The input file is gone.</source>
        <translation>ملف الإدخال لم يعد موجودًا.</translation>
    </message>
    <message>
        <source>The input file has no sound.</source>
        <translation>ملف الإدخال لا يحتوي على صوت.</translation>
    </message>
    <message>
        <source>The input file is damaged or not a media file.</source>
        <translation>ملف الإدخال تالف أو ليس ملف وسائط.</translation>
    </message>
    <message>
        <source>The clip holds no sound.</source>
        <translation>المقطع لا يحتوي على صوت.</translation>
    </message>
    <message>
        <source>Conversion succeed.</source>
        <translation>تم التحويل بنجاح.</translation>
    </message>
    <message>
        <source>Transfer failed.</source>
        <translation>فشل النقل.</translation>
    </message>
    <message>
        <source>Transfer succeed.</source>
        <translation>تم النقل بنجاح.</translation>
    </message>
    <message>
        <source>Select a folder to store output file.</source>
        <translation>اختر مجلدًا لحفظ ملف الإخراج.</translation>
    </message>
    <message>
        <source>Tonquill</source>
        <translation>Tonquill</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>القائمة</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>تصغير</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>إغلاق</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>تشغيل</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>إيقاف مؤقت</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>معاينة المقطع</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>استعراض...</translation>
    </message>
    <message>
        <source>Input File:</source>
        <translation>الملف:</translation>
    </message>
    <message>
        <source>&lt;img src=":/images/tool.png" /&gt;&lt;a href="x"&gt;&lt;font color=#ffffff&gt;Manage&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=":/images/tool.png" /&gt;&lt;a href="x"&gt;&lt;font color=#ffffff&gt;إدارة&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=':/images/help.png'&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Help&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=':/images/help.png'&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;مساعدة&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=':/images/home.png'&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;Home&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=':/images/home.png'&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;الموقع&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;img src=':/images/about.png'&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;About&lt;/font&gt;&lt;/a&gt;</source>
        <translation>&lt;img src=':/images/about.png'&gt;&lt;a href=x&gt;&lt;font color=#ffffff&gt;حول&lt;/font&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Export to iPhone</source>
        <translation>تصدير إلى iPhone</translation>
    </message>
    <message>
        <source>Export to iTunes</source>
        <translation>فتح في iTunes</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>البداية:</translation>
    </message>
    <message>
        <source>h:mm:ss.zzz</source>
        <translation>h:mm:ss.zzz</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>النهاية:</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>المدة:</translation>
    </message>
    <message>
        <source>Local Output Folder:</source>
        <translation>مجلد الإخراج:</translation>
    </message>
    <message>
        <source>Output Name:</source>
        <translation>اسم الإخراج:</translation>
    </message>
    <message>
        <source>Fade in:</source>
        <translation>تدرّج:</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>إنشاء</translation>
    </message>
    <message>
        <source>An iPhone lists ringtones only up to 40 seconds: shorten the clip, or the phone will not offer it.</source>
        <translation>لا يعرض iPhone نغمات الرنين إلا حتى 40 ثانية: قصّر المقطع، وإلا فلن يعرضه الهاتف.</translation>
    </message>
    <message>
        <source>Done, but the ringtone is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>تم، لكن نغمة الرنين أطول من 40 ثانية: لن يعرضها iPhone.</translation>
    </message>
    <message>
        <source>Sent to the iPhone, but the ringtone is longer than 40 seconds: the iPhone will not list it.</source>
        <translation>أُرسلت إلى iPhone، لكن النغمة أطول من 40 ثانية: لن يعرضها iPhone في القائمة.</translation>
    </message>
    <message>
        <source>The volume is 0: the ringtone would be silent.</source>
        <translation>مستوى الصوت 0: ستكون النغمة صامتة.</translation>
    </message>
    <message>
        <source>The fade-in lasts the whole clip: the ringtone would never reach full volume.</source>
        <translation>يستمر التلاشي التدريجي طوال المقطع: لن تبلغ النغمة مستوى الصوت الكامل أبدًا.</translation>
    </message>
    <message>
        <source>No sound device was found: the preview plays silently.</source>
        <translation>لم يُعثر على جهاز صوت: تُشغَّل المعاينة دون صوت.</translation>
    </message>
</context>
<context>
    <name>ManageDialog</name>
    <message>
        <source>Ringtone Formats(*.m4a;*.m4r)</source>
        <translation>صيغ النغمات(*.m4a;*.m4r)</translation>
    </message>
    <message>
        <source>No iPhone connected.</source>
        <translation>لا يوجد iPhone متصل.</translation>
    </message>
    <message>
        <source>No ringtones on this iPhone yet.</source>
        <translation>لا توجد نغمات على هذا الـ iPhone بعد.</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <comment>Translate this string to the string 'LTR' in left-to-right languages or to 'RTL' in right-to-left languages (such as Hebrew and Arabic) to get proper widget layout.</comment>
        <translation>RTL</translation>
    </message>
</context>
<context>
    <name>QxLanguage</name>
    <message>
        <source>Language</source>
        <translation>اللغة</translation>
    </message>
</context>
<context>
    <name>manageDlg</name>
    <message>
        <source>Manage</source>
        <translation>إدارة</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>إعادة تسمية</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>حذف</translation>
    </message>
    <message>
        <source>Name :</source>
        <translation>الاسم:</translation>
    </message>
    <message>
        <source>Manage ringtones on your iPhone.</source>
        <translation>إدارة النغمات على iPhone.</translation>
    </message>
    <message>
        <source>Save To PC</source>
        <translation>إلى الحاسوب</translation>
    </message>
    <message>
        <source>Add To iPhone</source>
        <translation>إلى iPhone</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>استبدال</translation>
    </message>
</context>
</TS>
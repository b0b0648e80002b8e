#pragma once

// The table as the window's stored layout carries it, section by section: these rows stay
// exactly as they are, in this order, and the program's own rows come after them in their
// sections. "|" stands for the cell delimiter; @QZ_MAKER_URL@ for the maker's web address.
inline constexpr const char* kStoredTableRows = R"(
stCaptions_Unicode
TAnaform|QZ Duvodoro Ruruzovad|QZ Duvodoro Ruruzovad|
panelClient|panelClient||
panelBottom|panelBottom||
lblUrl|@QZ_MAKER_URL@||
panelTop|panelTop||
CloseButton|CloseButton||
MinButton|qzGlyphButton1||
lblCaption|QZ Duvodoro Ruruzovad|QZ Duvodoro Ruruzovad|
btnUpdate|qzGlyphButton1||
qzGlyphButton1|qzGlyphButton1||
qzImage1|qzImage1||
panelAna|panelAna||
panelCenter|panelRight||
btnshutdown|Kapat|Shutdown|
btnrestart|Yeniden Başlat|Restart|
btnLock|Kilitle|Lock|
progress|Kalan Süre|Remaining Time|
btnwaitready|Hazırda Beklet|Stand By|
btnSleep|Uyku Modu|Sleep|
btnSignout|Oturumu Kapat|Signout|
radioSuandanitibaren|Şu andan itibaren|From Now|
radioBelirtilenSaat|Belirtilen Saatte|Specified Time|
radioBostaKalma|Boşta Kalma Süresi|Idle Time|
qzPanel1|qzPanel1||
btnStartStop|Görevi Başlat|Start Progress|
lblBil|Bilgisayarınız |Computer|
lblTarih|Bilgisayarınız |Computer|
lblislem|Bilgisayarınız |Computer|
qzListGroupPanel1|Ayarlar|Settings|
qzLabel5|Her Zaman Üstte|Stay on top|
qzLabel6|Bildirim Sistemi Aktif|Enable Notifications|
qzLabel7|Başlangıçta Çalıştır|Run at Startup|
qzProgressbar1|Uygulama Güncelleniyor|Application updating|
qzLabel1|Dil|Lang.|
lbltarihEn|Computer||
radiohergun|Her Gün|Everyday|
stHints_Unicode
qzTrayIcon1|qZ Duvodoro Ruruzovad|qZ Duvodoro Ruruzovad|
stDisplayLabels_Unicode
stFonts_Unicode
TAnaform|Tahoma|Tahoma|
lblUrl|Tahoma|Tahoma|
lblCaption|Tahoma|Tahoma|
btnshutdown|Tahoma|Tahoma|
btnrestart|Tahoma|Tahoma|
btnLock|Tahoma|Tahoma|
progress|Tahoma|Tahoma|
btnwaitready|Tahoma|Tahoma|
btnSleep|Tahoma|Tahoma|
btnSignout|Tahoma|Tahoma|
radioSuandanitibaren|Tahoma|Tahoma|
radioBelirtilenSaat|Tahoma|Tahoma|
radioBostaKalma|Tahoma|Tahoma|
dateEditBelirtilenSure|Tahoma|Tahoma|
timeEditBelirtilenSure|Tahoma|Tahoma|
qzTimeEdit3|Tahoma|Tahoma|
TimeeditSuandanitibaren|Tahoma|Tahoma|
btnStartStop|Tahoma|Tahoma|
lblBil|Tahoma|Tahoma|
lblTarih|Tahoma|Tahoma|
lblislem|Tahoma|Tahoma|
qzListGroupPanel1|Tahoma|Tahoma|
qzLabel5|Tahoma|Tahoma|
qzLabel6|Tahoma|Tahoma|
qzLabel7|Tahoma|Tahoma|
qzProgressbar1|Tahoma|Tahoma|
qzLabel1|Tahoma|Tahoma|
lbltarihEn|Tahoma|Tahoma|
radiohergun|Tahoma|Tahoma|
qzTimeEdit1|Tahoma|Tahoma|
stMultiLines_Unicode
stDlgsCaptions_Unicode
Warning|Warning||
Error|Error||
Information|Information||
Confirm|Confirm||
Yes|&Yes||
No|&No||
OK|OK||
Cancel|Cancel||
Abort|&Abort||
Retry|&Retry||
Ignore|&Ignore||
All|&All||
No To All|N&o to All||
Yes To All|Yes to &All||
Help|&Help||
stStrings_Unicode
1|Uygulamanın Yeni Sürümü Mevcut. Şimdi Güncellensin mi?|There is a new version of app. Do you want to update now|
2|Belirttiğiniz tarih ,şuanki tarihten daha küçük olamaz|The date you specified cannot be smaller than the current date|
3|Programladığınız eylemin tamamlanmasına kalan süre :|Time to complete the programmed action :|
4|Güncelleme Dosyası İndiriliyor...|Updating...|
5|Güncelleme Dosyası İndirildi|Update file downloaded|
6|Güncel Versiyon İndirildi, Şimdi Kurulsun mu?|Application downloaded. Install now?|
stOtherStrings_Unicode
qzStyledForm1.StylesMenuCaption|Styles||
httpClient1.UserAgent|QZ URI Client/1.0||
stLocales_Unicode
stCollections_Unicode
cmbDil.Items[0].Caption|Türkçe||
cmbDil.Items[1].Caption|English||
stCharSets_Unicode
TAnaform|DEFAULT_CHARSET|DEFAULT_CHARSET|
lblUrl|ANSI_CHARSET|DEFAULT_CHARSET|
lblCaption|DEFAULT_CHARSET|DEFAULT_CHARSET|
btnshutdown|DEFAULT_CHARSET|DEFAULT_CHARSET|
btnrestart|DEFAULT_CHARSET|DEFAULT_CHARSET|
btnLock|DEFAULT_CHARSET|DEFAULT_CHARSET|
progress|DEFAULT_CHARSET|DEFAULT_CHARSET|
btnwaitready|DEFAULT_CHARSET|DEFAULT_CHARSET|
btnSleep|DEFAULT_CHARSET|DEFAULT_CHARSET|
btnSignout|DEFAULT_CHARSET|DEFAULT_CHARSET|
radioSuandanitibaren|DEFAULT_CHARSET|DEFAULT_CHARSET|
radioBelirtilenSaat|DEFAULT_CHARSET|DEFAULT_CHARSET|
radioBostaKalma|DEFAULT_CHARSET|DEFAULT_CHARSET|
dateEditBelirtilenSure|DEFAULT_CHARSET|DEFAULT_CHARSET|
timeEditBelirtilenSure|DEFAULT_CHARSET|DEFAULT_CHARSET|
qzTimeEdit3|DEFAULT_CHARSET|DEFAULT_CHARSET|
TimeeditSuandanitibaren|DEFAULT_CHARSET|DEFAULT_CHARSET|
btnStartStop|DEFAULT_CHARSET|DEFAULT_CHARSET|
lblBil|ANSI_CHARSET|DEFAULT_CHARSET|
lblTarih|ANSI_CHARSET|DEFAULT_CHARSET|
lblislem|ANSI_CHARSET|DEFAULT_CHARSET|
qzListGroupPanel1|DEFAULT_CHARSET|DEFAULT_CHARSET|
qzLabel5|DEFAULT_CHARSET|DEFAULT_CHARSET|
qzLabel6|DEFAULT_CHARSET|DEFAULT_CHARSET|
qzLabel7|DEFAULT_CHARSET|DEFAULT_CHARSET|
qzProgressbar1|DEFAULT_CHARSET|DEFAULT_CHARSET|
qzLabel1|DEFAULT_CHARSET|DEFAULT_CHARSET|
lbltarihEn|DEFAULT_CHARSET|DEFAULT_CHARSET|
radiohergun|DEFAULT_CHARSET|DEFAULT_CHARSET|
qzTimeEdit1|DEFAULT_CHARSET|DEFAULT_CHARSET|
)";

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>Orvane</name>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Share my Internet</source>
        <translation>Mein Internet freigeben</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Check for updates</source>
        <translation>Nach Updates suchen</translation>
    </message>
    <message>
        <source>Write comments to developer</source>
        <translation>Kommentar an die Entwickler schreiben</translation>
    </message>
    <message>
        <source>A&amp;bout</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>Start Sharing</source>
        <translation>Freigabe starten</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Internet Status</source>
        <translation>Internetstatus</translation>
    </message>
    <message>
        <source>Share My Internet</source>
        <translation>Mein Internet freigeben</translation>
    </message>
    <message>
        <source>My Internet Status</source>
        <translation>Mein Internetstatus</translation>
    </message>
    <message>
        <source>Instruction&#13;&#10;&#13;&#10;If this computer is connected to Internet. And you want to share the Internet to another computer or WiFi-enabled device, please click &quot;Share My Internet&quot; tab to find how.&#13;&#10;</source>
        <translation>Anleitung&#13;&#10;&#13;&#10;Wenn dieser Computer mit dem Internet verbunden ist und Sie das Internet mit einem anderen Computer oder WLAN-fähigen Gerät teilen möchten, klicken Sie auf die Registerkarte „Mein Internet freigeben“.&#13;&#10;</translation>
    </message>
    <message>
        <source>If this computer will be connected to Internet THROUGH another computer&apos;s sharing, please click the button below to find how. </source>
        <translation>Wenn dieser Computer ÜBER die Freigabe eines anderen Computers mit dem Internet verbunden werden soll, klicken Sie auf die Schaltfläche unten. </translation>
    </message>
    <message>
        <source>To share your Internet, please select the connection through which Internet goes live on this computer.</source>
        <translation>Um Ihr Internet freizugeben, wählen Sie die Verbindung, über die dieser Computer ins Internet geht.</translation>
    </message>
    <message>
        <source>Click here</source>
        <translation>Hier klicken</translation>
    </message>
    <message>
        <source>to find out how to enjoy your sharing.</source>
        <translation>um zu erfahren, wie Sie die Freigabe nutzen.</translation>
    </message>
    <message>
        <source>My connection  through which Internet goes live</source>
        <translation>Meine Verbindung, über die das Internet läuft</translation>
    </message>
    <message>
        <source>Select...</source>
        <translation>Auswählen...</translation>
    </message>
    <message>
        <source>My Wireless Connection Status</source>
        <translation>Status meiner WLAN-Verbindung</translation>
    </message>
    <message>
        <source>Not found.</source>
        <translation>Nicht gefunden.</translation>
    </message>
    <message>
        <source>Note: If you want to share the Interent with your other Wi-Fi enabled devices, such as iPhone, PDA or Mac Book, switch on the Wi-Fi on the device, search for the wireless signal below to connect.</source>
        <translation>Hinweis: Wenn Sie das Internet mit Ihren anderen WLAN-fähigen Geräten wie iPhone, PDA oder MacBook teilen möchten, schalten Sie das WLAN des Geräts ein und suchen Sie nach dem unten genannten Funknetz, um sich zu verbinden.</translation>
    </message>
    <message>
        <source>Wireless network name (SSID): </source>
        <translation>WLAN-Name (SSID): </translation>
    </message>
    <message>
        <source>Connection Password: </source>
        <translation>Verbindungskennwort: </translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Getrennt</translation>
    </message>
    <message>
        <source>Internet is connected.</source>
        <translation>Das Internet ist verbunden.</translation>
    </message>
    <message>
        <source>Internet is disconnected.</source>
        <translation>Das Internet ist getrennt.</translation>
    </message>
    <message>
        <source>Internet Sharing Enabled</source>
        <translation>Internetfreigabe aktiv</translation>
    </message>
    <message>
        <source>Ready for Sharing</source>
        <translation>Bereit zur Freigabe</translation>
    </message>
    <message>
        <source>Unavailable</source>
        <translation>Nicht verfügbar</translation>
    </message>
    <message>
        <source>Connected to Internet</source>
        <translation>Mit dem Internet verbunden</translation>
    </message>
    <message>
        <source>Internet Disconnected</source>
        <translation>Internet getrennt</translation>
    </message>
    <message>
        <source>Your current connection is available for sharing your Internet,&#13;&#10;click &quot;Start Sharing&quot; to share your Internet now.</source>
        <translation>Ihre aktuelle Verbindung kann freigegeben werden,&#13;&#10;klicken Sie auf „Freigabe starten“, um Ihr Internet jetzt freizugeben.</translation>
    </message>
    <message>
        <source>Your Internet has been already connected via your wired connection.</source>
        <translation>Ihr Internet ist bereits über Ihre Kabelverbindung verbunden.</translation>
    </message>
    <message>
        <source>Your current connection is not available for sharing your Internet.</source>
        <translation>Ihre aktuelle Verbindung kann nicht freigegeben werden.</translation>
    </message>
    <message>
        <source>Your sharing was started successfully!</source>
        <translation>Die Freigabe wurde erfolgreich gestartet!</translation>
    </message>
    <message>
        <source>Sorry, it was failed to share your Internet!</source>
        <translation>Leider konnte Ihr Internet nicht freigegeben werden!</translation>
    </message>
    <message>
        <source>Your sharing was stopped successfully!</source>
        <translation>Die Freigabe wurde erfolgreich beendet!</translation>
    </message>
    <message>
        <source>The network connections could not be read. Click &quot;Refresh&quot; to try again.</source>
        <translation>Die Netzwerkverbindungen konnten nicht gelesen werden. Klicken Sie auf „Aktualisieren“, um es erneut zu versuchen.</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <source>Select Connection</source>
        <translation>Verbindung auswählen</translation>
    </message>
    <message>
        <source>Please select the connection through which Internet is connected.</source>
        <translation>Bitte wählen Sie die Verbindung, über die das Internet verbunden ist.</translation>
    </message>
    <message>
        <source>Please select the wireless connection which will broadcast the WiFi signal.</source>
        <translation>Bitte wählen Sie die WLAN-Verbindung, die das WLAN-Signal aussenden soll.</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Wireless Network</source>
        <translation>Drahtlosnetzwerk</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Network Name (SSID)</source>
        <translation>Netzwerkname (SSID)</translation>
    </message>
    <message>
        <source>Password (Network key)</source>
        <translation>Kennwort (Netzwerkschlüssel)</translation>
    </message>
    <message>
        <source>Password MUST be 5 or 13 digits or letters.</source>
        <translation>Das Kennwort MUSS aus 5 oder 13 Ziffern oder Buchstaben bestehen.</translation>
    </message>
    <message>
        <source>* Application restart required.</source>
        <translation>* Neustart des Programms erforderlich.</translation>
    </message>
    <message>
        <source>Autorun with Windows</source>
        <translation>Mit dem System starten</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>Minimiert starten</translation>
    </message>
    <message>
        <source>Notify me if there is a new version available</source>
        <translation>Benachrichtigen, wenn eine neue Version verfügbar ist</translation>
    </message>
    <message>
        <source>Please input network name!</source>
        <translation>Bitte geben Sie einen Netzwerknamen ein!</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Copyright (C) The Orvane developers. All rights reserved.</source>
        <translation>Copyright (C) Die Orvane-Entwickler. Alle Rechte vorbehalten.</translation>
    </message>
    <message>
        <source>There are no new updates available.</source>
        <translation>Es sind keine neuen Updates verfügbar.</translation>
    </message>
    <message>
        <source>&amp;Open Main Window</source>
        <translation>Hauptfenster ö&amp;ffnen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>B&amp;eenden</translation>
    </message>
    <message>
        <source>Please make sure the Wi-Fi switch is turned on.</source>
        <translation>Bitte achten Sie darauf, dass der WLAN-Schalter eingeschaltet ist.</translation>
    </message>
    <message>
        <source>Connect to %1</source>
        <translation>Mit %1 verbinden</translation>
    </message>
    <message>
        <source>If there is a %1 running nearby and sharing its Internet connection, click the button below to connect to Internet through its sharing.</source>
        <translation>Wenn in der Nähe ein %1 läuft und seine Internetverbindung freigibt, klicken Sie auf die Schaltfläche unten, um über diese Freigabe eine Verbindung zum Internet herzustellen.</translation>
    </message>
    <message>
        <source>%1 is running in the background!</source>
        <translation>%1 läuft im Hintergrund weiter!</translation>
    </message>
    <message>
        <source>Done! Please wait a few seconds to finish the connecting...&#13;&#10;&#13;&#10;[Note] If there is no %1 running nearby, it will result in failure.</source>
        <translation>Fertig! Bitte warten Sie einige Sekunden, bis die Verbindung hergestellt ist...&#13;&#10;&#13;&#10;[Hinweis] Wenn in der Nähe kein %1 läuft, schlägt die Verbindung fehl.</translation>
    </message>
    <message>
        <source>Disconnected from %1 successfully!</source>
        <translation>Die Verbindung mit %1 wurde erfolgreich getrennt!</translation>
    </message>
    <message>
        <source>Connected devices</source>
        <translation>Verbundene Geräte</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Hardware address</source>
        <translation>Hardwareadresse</translation>
    </message>
    <message>
        <source>IPv4 address</source>
        <translation>IPv4-Adresse</translation>
    </message>
    <message>
        <source>Connected since</source>
        <translation>Verbunden seit</translation>
    </message>
    <message>
        <source>(no name)</source>
        <translation>(ohne Namen)</translation>
    </message>
    <message>
        <source>No device uses the sharing yet.</source>
        <translation>Noch nutzt kein Gerät die Freigabe.</translation>
    </message>
    <message>
        <source>No device connected</source>
        <translation>Kein Gerät verbunden</translation>
    </message>
    <message>
        <source>1 device connected</source>
        <translation>1 Gerät verbunden</translation>
    </message>
    <message>
        <source>%1 devices connected</source>
        <translation>%1 Geräte verbunden</translation>
    </message>
    <message>
        <source>Scan this code with a phone to join the network.</source>
        <translation>Scannen Sie diesen Code mit einem Telefon, um dem Netzwerk beizutreten.</translation>
    </message>
    <message>
        <source>%1 signal found nearby</source>
        <translation>%1-Signal in der Nähe gefunden</translation>
    </message>
    <message>
        <source>Security</source>
        <translation>Sicherheit</translation>
    </message>
    <message>
        <source>WPA2-Personal (recommended)</source>
        <translation>WPA2-Personal (empfohlen)</translation>
    </message>
    <message>
        <source>WEP (only for older devices)</source>
        <translation>WEP (nur für ältere Geräte)</translation>
    </message>
    <message>
        <source>Password MUST be 8 to 63 characters.</source>
        <translation>Das Kennwort MUSS 8 bis 63 Zeichen lang sein.</translation>
    </message>
    <message>
        <source>A WPA2 key must be 8 to 63 characters long.</source>
        <translation>Ein WPA2-Schlüssel muss 8 bis 63 Zeichen lang sein.</translation>
    </message>
    <message>
        <source>A WPA2 key may contain only plain ASCII letters, digits, blanks and punctuation.</source>
        <translation>Ein WPA2-Schlüssel darf nur einfache ASCII-Buchstaben, Ziffern, Leerzeichen und Satzzeichen enthalten.</translation>
    </message>
    <message>
        <source>This network uses WEP, an old and weak security. Choose WPA2 in Options to protect it.</source>
        <translation>Dieses Netzwerk verwendet WEP, eine alte und schwache Sicherheit. Wählen Sie in den Optionen WPA2, um es zu schützen.</translation>
    </message>
    <message>
        <source>The source or the destination connection is no longer there. Click &quot;Refresh&quot; and choose them again.</source>
        <translation>Die Quell- oder die Zielverbindung ist nicht mehr vorhanden. Klicken Sie auf „Aktualisieren“ und wählen Sie sie erneut.</translation>
    </message>
    <message>
        <source>The sharing helper is not installed. Install the %1 package, or run %1 as root.</source>
        <translation>Das Freigabe-Hilfsprogramm ist nicht installiert. Installieren Sie das Paket %1 oder starten Sie %1 als root.</translation>
    </message>
    <message>
        <source>The sharing helper may not be run with an administrator's rights, as others could change it. Install the %1 package, or run %1 as root.</source>
        <translation>Das Freigabe-Hilfsprogramm darf nicht mit Administratorrechten laufen, da andere es ändern könnten. Installieren Sie das Paket %1 oder starten Sie %1 als root.</translation>
    </message>
    <message>
        <source>pkexec is not installed, so the administrator's password cannot be asked for. Install the &quot;pkexec&quot; package, or run %1 as root.</source>
        <translation>pkexec ist nicht installiert, daher kann nicht nach dem Administratorkennwort gefragt werden. Installieren Sie das Paket „pkexec“ oder starten Sie %1 als root.</translation>
    </message>
    <message>
        <source>No authentication agent is running to ask for the administrator's password. Log in to a desktop session with a polkit agent, or run %1 as root.</source>
        <translation>Es läuft kein Authentifizierungsagent, der nach dem Administratorkennwort fragen könnte. Melden Sie sich an einer Desktop-Sitzung mit polkit-Agent an oder starten Sie %1 als root.</translation>
    </message>
    <message>
        <source>The administrator's password was not given. Click &quot;Start Sharing&quot; again and enter it.</source>
        <translation>Das Administratorkennwort wurde nicht eingegeben. Klicken Sie erneut auf „Freigabe starten“ und geben Sie es ein.</translation>
    </message>
    <message>
        <source>You are not allowed to share connections. Ask an administrator to allow it, or run %1 as root.</source>
        <translation>Sie dürfen keine Verbindungen freigeben. Bitten Sie einen Administrator, es zu erlauben, oder starten Sie %1 als root.</translation>
    </message>
    <message>
        <source>Another %1 on this computer is already sharing. Stop sharing there first.</source>
        <translation>Ein anderes %1 auf diesem Computer gibt bereits frei. Beenden Sie zuerst die Freigabe dort.</translation>
    </message>
    <message>
        <source>The system refused to share these connections:</source>
        <translation>Das System hat die Freigabe dieser Verbindungen abgelehnt:</translation>
    </message>
    <message>
        <source>The wireless service is not running (NetworkManager on Linux). Start it, or install it, and click &quot;Refresh&quot;.</source>
        <translation>Der Drahtlosdienst läuft nicht (unter Linux NetworkManager). Starten oder installieren Sie ihn und klicken Sie auf „Aktualisieren“.</translation>
    </message>
    <message>
        <source>The wireless service has no Wi-Fi device to use. Turn the Wi-Fi switch on, or plug in a Wi-Fi adapter, and click &quot;Refresh&quot;.</source>
        <translation>Der Drahtlosdienst hat kein WLAN-Gerät. Schalten Sie WLAN ein oder schließen Sie einen WLAN-Adapter an und klicken Sie auf „Aktualisieren“.</translation>
    </message>
    <message>
        <source>This Wi-Fi device cannot be an access point. Choose a wireless connection whose adapter supports access-point mode as the destination.</source>
        <translation>Dieses WLAN-Gerät kann kein Zugangspunkt sein. Wählen Sie als Ziel eine Drahtlosverbindung, deren Adapter den Zugangspunkt-Modus unterstützt.</translation>
    </message>
    <message>
        <source>Your sharing was started, but the wireless network could not be created.</source>
        <translation>Ihre Freigabe wurde gestartet, aber das Drahtlosnetzwerk konnte nicht erstellt werden.</translation>
    </message>
    <message>
        <source>The wireless network could not be joined.</source>
        <translation>Dem Drahtlosnetzwerk konnte nicht beigetreten werden.</translation>
    </message>
    <message>
        <source>The wireless network could not be created, so there is nothing to join.</source>
        <translation>Das Drahtlosnetzwerk konnte nicht erstellt werden, daher gibt es nichts zum Beitreten.</translation>
    </message>
    <message>
        <source>Working, please wait...</source>
        <translation>Wird ausgeführt, bitte warten...</translation>
    </message>
    <message>
        <source>Guests may reach my local network</source>
        <translation>Gäste dürfen mein lokales Netzwerk erreichen</translation>
    </message>
    <message>
        <source>The sharing serves as many devices as it can: no other device can join until one leaves.</source>
        <translation>Die Freigabe bedient so viele Geräte, wie sie kann: Kein weiteres Gerät kann beitreten, bis eines geht.</translation>
    </message>
    <message>
        <source>Your sharing could not be stopped: the system refused to turn it off on a connection it shares. Click &quot;Stop&quot; again, or turn sharing off in the connection&apos;s settings.</source>
        <translation>Ihre Freigabe konnte nicht beendet werden: Das System hat sich geweigert, sie für eine freigegebene Verbindung auszuschalten. Klicken Sie erneut auf „Stopp“ oder schalten Sie die Freigabe in den Einstellungen der Verbindung aus.</translation>
    </message>
    <message>
        <source>Your Wi-Fi connection is available for sharing through the same card,&#13;&#10;click &quot;Start Sharing&quot; to open your own network beside it, on the same channel.</source>
        <translation>Ihre WLAN-Verbindung kann über dieselbe Karte freigegeben werden,&#13;&#10;klicken Sie auf „Freigabe starten“, um Ihr eigenes Netzwerk daneben auf demselben Kanal zu öffnen.</translation>
    </message>
    <message>
        <source>Your Wi-Fi connection cannot be shared through the same card: the system does not tell what the card can do. Choose another adapter for your own network.</source>
        <translation>Ihre WLAN-Verbindung kann nicht über dieselbe Karte freigegeben werden: Das System sagt nicht, was die Karte kann. Wählen Sie einen anderen Adapter für Ihr eigenes Netzwerk.</translation>
    </message>
    <message>
        <source>Your Wi-Fi connection cannot be shared through the same card: the card is not connected to a Wi-Fi network now.</source>
        <translation>Ihre WLAN-Verbindung kann nicht über dieselbe Karte freigegeben werden: Die Karte ist gerade mit keinem WLAN verbunden.</translation>
    </message>
    <message>
        <source>Your Wi-Fi connection cannot be shared through the same card: the card cannot run a network of its own. Choose another adapter for your own network.</source>
        <translation>Ihre WLAN-Verbindung kann nicht über dieselbe Karte freigegeben werden: Die Karte kann kein eigenes Netzwerk betreiben. Wählen Sie einen anderen Adapter für Ihr eigenes Netzwerk.</translation>
    </message>
    <message>
        <source>Your Wi-Fi connection cannot be shared through the same card: the card cannot run a network of its own while it is connected to another one. Choose another adapter for your own network.</source>
        <translation>Ihre WLAN-Verbindung kann nicht über dieselbe Karte freigegeben werden: Die Karte kann kein eigenes Netzwerk betreiben, während sie mit einem anderen verbunden ist. Wählen Sie einen anderen Adapter für Ihr eigenes Netzwerk.</translation>
    </message>
    <message>
        <source>The Wi-Fi network you shared through the same card was lost or changed its channel, so your own network was closed and sharing was stopped. Click &quot;Start Sharing&quot; to share it again.</source>
        <translation>Das WLAN, das Sie über dieselbe Karte freigegeben haben, ist verloren gegangen oder hat seinen Kanal gewechselt. Ihr eigenes Netzwerk wurde daher geschlossen und die Freigabe beendet. Klicken Sie auf „Freigabe starten“, um es erneut freizugeben.</translation>
    </message>
    <message>
        <source>The wireless network was made by Windows&apos; Mobile Hotspot (WPA2), which shares the Internet connection itself.</source>
        <translation>Das Drahtlosnetzwerk wurde vom mobilen Hotspot von Windows (WPA2) erstellt, der die Internetverbindung selbst freigibt.</translation>
    </message>
    <message>
        <source>The wireless network was made as an ad-hoc network, and the Internet connection is shared to it.</source>
        <translation>Das Drahtlosnetzwerk wurde als Ad-hoc-Netzwerk erstellt, und die Internetverbindung wird dafür freigegeben.</translation>
    </message>
    <message>
        <source>The Mobile Hotspot could not be started.</source>
        <translation>Der mobile Hotspot konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The Mobile Hotspot could not be turned off. Click &quot;Stop&quot; again, or turn it off in Windows&apos; settings (Network &amp; Internet, Mobile hotspot).</source>
        <translation>Der mobile Hotspot konnte nicht ausgeschaltet werden. Klicken Sie erneut auf „Stopp“ oder schalten Sie ihn in den Windows-Einstellungen aus (Netzwerk und Internet, Mobiler Hotspot).</translation>
    </message>
    <message>
        <source>Mobile Hotspot is not allowed on this computer: a policy of the administrator, the network operator or this edition of Windows turns it off.</source>
        <translation>Der mobile Hotspot ist auf diesem Computer nicht erlaubt: Eine Richtlinie des Administrators, des Netzbetreibers oder dieser Windows-Edition schaltet ihn aus.</translation>
    </message>
    <message>
        <source>No Wi-Fi adapter of this computer can host a Mobile Hotspot. Check that Wi-Fi is turned on.</source>
        <translation>Kein WLAN-Adapter dieses Computers kann einen mobilen Hotspot bereitstellen. Prüfen Sie, ob WLAN eingeschaltet ist.</translation>
    </message>
    <message>
        <source>The source connection has no Internet access, and Windows shares only a connection that has. Choose a source that reaches the Internet, or wait until it does.</source>
        <translation>Die Quellverbindung hat keinen Internetzugang, und Windows gibt nur eine Verbindung frei, die einen hat. Wählen Sie eine Quelle, die das Internet erreicht, oder warten Sie, bis sie es tut.</translation>
    </message>
    <message>
        <source>The network key is too short for WPA2, which the Mobile Hotspot always uses: it needs 8 to 63 characters. Change it in Options.</source>
        <translation>Der Netzwerkschlüssel ist zu kurz für WPA2, das der mobile Hotspot immer verwendet: Er braucht 8 bis 63 Zeichen. Ändern Sie ihn unter Optionen.</translation>
    </message>
    <message>
        <source>The network key does not suit WPA2, which the Mobile Hotspot always uses: it needs 8 to 63 characters, letters, digits, blanks and signs of plain ASCII only. Change it in Options.</source>
        <translation>Der Netzwerkschlüssel passt nicht zu WPA2, das der mobile Hotspot immer verwendet: Er braucht 8 bis 63 Zeichen, nur Buchstaben, Ziffern, Leerzeichen und Zeichen aus reinem ASCII. Ändern Sie ihn unter Optionen.</translation>
    </message>
    <message>
        <source>Windows did not finish turning the Mobile Hotspot on or off in time. Try again.</source>
        <translation>Windows hat das Ein- oder Ausschalten des mobilen Hotspots nicht rechtzeitig beendet. Versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Windows is turning the Mobile Hotspot on or off already. Wait a moment and try again.</source>
        <translation>Windows schaltet den mobilen Hotspot bereits ein oder aus. Warten Sie einen Moment und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Windows gave no reason.</source>
        <translation>Windows hat keinen Grund genannt.</translation>
    </message>
    <message>
        <source>The wireless network refused the connection.</source>
        <translation>Das Drahtlosnetzwerk hat die Verbindung abgelehnt.</translation>
    </message>
    <message>
        <source>The wireless service did not say in time whether the network is up.</source>
        <translation>Der Drahtlosdienst hat nicht rechtzeitig gemeldet, ob das Netzwerk steht.</translation>
    </message>
    <message>
        <source>Windows does not let programs see the wireless networks nearby without your consent. Open Settings &gt; Privacy &amp; security &gt; Location, turn on &quot;Location services&quot; and &quot;Let desktop apps access your location&quot;, then click &quot;Refresh&quot;.</source>
        <translation>Windows lässt Programme die Drahtlosnetzwerke in der Nähe nur mit Ihrer Zustimmung sehen. Öffnen Sie Einstellungen &gt; Datenschutz und Sicherheit &gt; Standort, schalten Sie „Ortungsdienste“ und „Desktop-Apps den Zugriff auf Ihren Standort erlauben“ ein und klicken Sie dann auf „Aktualisieren“.</translation>
    </message>
    <message>
        <source>The network name is too long: Wi-Fi allows 32 bytes, and letters other than plain A to Z, digits and punctuation take two to four bytes each. Please shorten it.</source>
        <translation>Der Netzwerkname ist zu lang: WLAN erlaubt 32 Bytes, und Buchstaben außer A bis Z, Ziffern und Satzzeichen belegen je zwei bis vier Bytes. Bitte kürzen Sie ihn.</translation>
    </message>
</context>
</TS>

#include "settings/preview/DefaultThemeScript.h"

const std::string& defaultThemeScript() {
    static const std::string script =
        R"JS((c,g,l,m,e){var d=Math.round(3*c/4)/2;c=Math.floor(c/20);var h=2*d+c,f=document.createElement("canvas"),a=f.getContext("2d");e=e.join();var b=h/2,n=4*d/3,k=Math.PI;100==g&&(n=d);f.width=h;f.height=h;a.lineWidth=c;a.strokeStyle="rgba("+e+",0.3)";m&&(a.strokeStyle="rgba(255,59,48,0.3)");l&&(a.strokeStyle="rgba(76,217,100,0.3)");a.arc(b,b,d,0,2*k);a.stroke();a.strokeStyle="rgb("+e+")";m&&(a.strokeStyle="#FF3B30");l&&(a.strokeStyle="#4CD964");a.fillStyle=a.strokeStyle;a.beginPath();a.arc(b,b,d,k*((100-g)/50-.5),1.5*k);a.stroke();a.font=n+"px Helvetica Neue";a.textAlign="center";a.textBaseline="middle";a.fillText(g,b,b);return f.toDataURL("image/png")})JS";
    return script;
}
